-- K7T CRM schema for a new SQL Server installation (catalogue "test").
-- Create the database with a case-insensitive collation; every statement of the
-- program relies on it. Statements are separated by lines holding only "--;".

IF OBJECT_ID(N'CRM', N'U') IS NULL
CREATE TABLE CRM (
  NAME NVARCHAR(255) NULL,
  CRM_ID NVARCHAR(255) NULL,
  ROLE NVARCHAR(255) NULL,
  PASSWORD NVARCHAR(255) NULL,
  EMAIL NVARCHAR(255) NULL,
  MAC NVARCHAR(255) NULL DEFAULT 'NA',
  STATUS NVARCHAR(255) NULL DEFAULT 'INACTIVE',
  crm_ip NVARCHAR(255) NULL DEFAULT ''
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_crm_id')
CREATE INDEX ix_crm_id ON CRM(CRM_ID);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_crm_mac')
CREATE INDEX ix_crm_mac ON CRM(MAC);
--;
IF OBJECT_ID(N'cdata', N'U') IS NULL
CREATE TABLE cdata (
  id NVARCHAR(255) NULL,
  name NVARCHAR(255) NULL,
  ssa NVARCHAR(255) NULL,
  mobile NVARCHAR(255) NULL,
  address NVARCHAR(255) NULL,
  circle NVARCHAR(255) NULL,
  REG_DATE DATETIME NULL,
  BA NVARCHAR(255) NULL,
  CBA NVARCHAR(255) NULL,
  nas_ip NVARCHAR(255) NULL,
  [CPE TYPE] NVARCHAR(255) NULL,
  OTC NVARCHAR(255) NULL,
  DN NVARCHAR(255) NULL,
  EMAIL NVARCHAR(255) NULL,
  status NVARCHAR(255) NULL,
  PAID NVARCHAR(255) NULL,
  indicator NVARCHAR(255) NULL,
  LDAP NVARCHAR(255) NULL,
  PORT NVARCHAR(255) NULL,
  policy NVARCHAR(255) NULL,
  PLAN NVARCHAR(255) NULL,
  RENT NVARCHAR(255) NULL,
  REMARKS NVARCHAR(255) NULL,
  OUTSTANDING NVARCHAR(255) NULL,
  SERVICE NVARCHAR(255) NULL,
  DEPOSIT NVARCHAR(255) NULL,
  AP NVARCHAR(255) NULL,
  PHONE NVARCHAR(255) NULL,
  ACT_DATE DATETIME NULL,
  CLUSTER NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_cdata_id')
CREATE INDEX ix_cdata_id ON cdata(id);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_cdata_indicator')
CREATE INDEX ix_cdata_indicator ON cdata(indicator);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_cdata_ba')
CREATE INDEX ix_cdata_ba ON cdata(BA);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_cdata_mobile')
CREATE INDEX ix_cdata_mobile ON cdata(mobile);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_cdata_otc')
CREATE INDEX ix_cdata_otc ON cdata(OTC);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_cdata_circle_service')
CREATE INDEX ix_cdata_circle_service ON cdata(circle, SERVICE);
--;
IF OBJECT_ID(N'complain', N'U') IS NULL
CREATE TABLE complain (
  ID INT IDENTITY(1,1) PRIMARY KEY,
  name NVARCHAR(255) NULL,
  mobile NVARCHAR(255) NULL,
  [issue date] DATETIME NULL,
  description NVARCHAR(MAX) NULL,
  status NVARCHAR(255) NULL,
  [close date] DATETIME NULL,
  ssa NVARCHAR(255) NULL,
  fe NVARCHAR(255) NULL,
  [fe mob] NVARCHAR(255) NULL,
  pending INT NULL,
  address NVARCHAR(255) NULL,
  [user id] NVARCHAR(255) NULL,
  circle NVARCHAR(255) NULL,
  ap NVARCHAR(255) NULL,
  ne NVARCHAR(255) NULL,
  cat NVARCHAR(255) NULL,
  srv NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_complain_user')
CREATE INDEX ix_complain_user ON complain([user id]);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_complain_status_pending')
CREATE INDEX ix_complain_status_pending ON complain(status, pending);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_complain_issue')
CREATE INDEX ix_complain_issue ON complain([issue date]);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_complain_closed_by')
CREATE INDEX ix_complain_closed_by ON complain([close date]) INCLUDE (ne);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_complain_open_list')
CREATE INDEX ix_complain_open_list ON complain(pending DESC)
  INCLUDE (name, mobile, [issue date], description, status, [close date], ssa, fe, [fe mob], address, [user id], circle, ap, ne, cat, srv)
  WHERE status <> 'CLOSED';
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_complain_open_issue')
CREATE INDEX ix_complain_open_issue ON complain([issue date]) WHERE status <> 'CLOSED';
--;
IF OBJECT_ID(N'OLT', N'U') IS NULL
CREATE TABLE OLT (
  circle NVARCHAR(255) NULL,
  SSA NVARCHAR(255) NULL,
  SITE NVARCHAR(255) NULL,
  SERVICE NVARCHAR(255) NULL,
  OUT_VLAN NVARCHAR(255) NULL,
  IN_VLAN NVARCHAR(255) NULL,
  ID NVARCHAR(255) NULL DEFAULT 'NA',
  MAC NVARCHAR(255) NULL DEFAULT 'NA',
  SN NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_olt_id')
CREATE INDEX ix_olt_id ON OLT(ID);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_olt_site')
CREATE INDEX ix_olt_site ON OLT(SITE);
--;
IF OBJECT_ID(N'af_site', N'U') IS NULL
CREATE TABLE af_site (
  circle NVARCHAR(255) NULL,
  ssa NVARCHAR(255) NULL,
  site NVARCHAR(255) NULL,
  status NVARCHAR(255) NULL,
  SERVICE NVARCHAR(255) NULL,
  ip NVARCHAR(255) NULL,
  VLAN NVARCHAR(255) NULL,
  [user] NVARCHAR(255) NULL,
  LIVE NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_af_site_site')
CREATE INDEX ix_af_site_site ON af_site(site);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_af_site_circle')
CREATE INDEX ix_af_site_circle ON af_site(circle);
--;
IF OBJECT_ID(N'BTS', N'U') IS NULL
CREATE TABLE BTS (
  ID NVARCHAR(255) NULL,
  circle NVARCHAR(255) NULL,
  SSA NVARCHAR(255) NULL,
  SSID NVARCHAR(255) NULL,
  BNG NVARCHAR(255) NULL,
  IP NVARCHAR(255) NULL,
  SITE_NAME NVARCHAR(255) NULL DEFAULT 'NA',
  EQUIPMENT_TYPE NVARCHAR(255) NULL,
  STATUS NVARCHAR(255) NULL,
  ZEZA_EQ NVARCHAR(255) NULL,
  ZEZA_IP NVARCHAR(255) NULL,
  ZEZA_PORT NVARCHAR(255) NULL,
  ZEZA_PORT_TYPE NVARCHAR(255) NULL,
  LMMP NVARCHAR(255) NULL,
  [user] NVARCHAR(255) NULL,
  LIVE NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_bts_id')
CREATE INDEX ix_bts_id ON BTS(ID);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_bts_site')
CREATE INDEX ix_bts_site ON BTS(SITE_NAME);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_bts_bng')
CREATE INDEX ix_bts_bng ON BTS(BNG);
--;
IF OBJECT_ID(N'BTS_FAULT', N'U') IS NULL
CREATE TABLE BTS_FAULT (
  [fault id] INT IDENTITY(1,1) PRIMARY KEY,
  CIRCLE NVARCHAR(255) NULL,
  SSA NVARCHAR(255) NULL,
  [SITE NAME] NVARCHAR(255) NULL,
  FAULT NVARCHAR(MAX) NULL,
  [ISSUE DATE] DATETIME NULL,
  [CLOSE DATE] DATETIME NULL,
  [DOWN TIME] INT NULL,
  STATUS NVARCHAR(255) NULL,
  ID NVARCHAR(255) NULL,
  [USER] NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_bts_fault_status')
CREATE INDEX ix_bts_fault_status ON BTS_FAULT(STATUS);
--;
IF OBJECT_ID(N'olt_status', N'U') IS NULL
CREATE TABLE olt_status (
  fault_id INT IDENTITY(1,1) PRIMARY KEY,
  status NVARCHAR(255) NULL,
  down_time DATETIME NULL,
  up_time DATETIME NULL,
  rfo NVARCHAR(255) NULL,
  on_the_part_of NVARCHAR(255) NULL,
  IP NVARCHAR(255) NULL,
  circle NVARCHAR(255) NULL,
  ssa NVARCHAR(255) NULL,
  equipment NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_olt_status_status')
CREATE INDEX ix_olt_status_status ON olt_status(status);
--;
IF OBJECT_ID(N'AP_RFO', N'U') IS NULL
CREATE TABLE AP_RFO (
  RFO NVARCHAR(255) NULL
);
--;
IF OBJECT_ID(N'circle', N'U') IS NULL
CREATE TABLE circle (
  circle NVARCHAR(255) NULL,
  CBH NVARCHAR(255) NULL,
  CBHM NVARCHAR(255) NULL,
  EMAIL NVARCHAR(255) NULL,
  CGM NVARCHAR(255) NULL,
  CGM_MOBILE NVARCHAR(255) NULL,
  CGM_EMAIL NVARCHAR(255) NULL
);
--;
IF OBJECT_ID(N'ssa', N'U') IS NULL
CREATE TABLE ssa (
  circle NVARCHAR(255) NULL,
  SSA NVARCHAR(255) NULL,
  FE NVARCHAR(255) NULL,
  FE_MOBILE NVARCHAR(255) NULL,
  SDE_BB_MOBILE NVARCHAR(255) NULL,
  SDE_BB_EMAIL NVARCHAR(255) NULL,
  SDE_TX_MOBILE NVARCHAR(255) NULL,
  SDE_TX_EMAIL NVARCHAR(255) NULL,
  GM_MOBILE NVARCHAR(255) NULL,
  GM_EMAIL NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_ssa_circle')
CREATE INDEX ix_ssa_circle ON ssa(circle);
--;
IF OBJECT_ID(N'FE', N'U') IS NULL
CREATE TABLE FE (
  circle NVARCHAR(255) NULL,
  ssa NVARCHAR(255) NULL,
  CLUSTER NVARCHAR(255) NULL,
  name NVARCHAR(255) NULL,
  mobile NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_fe_circle')
CREATE INDEX ix_fe_circle ON FE(circle, CLUSTER);
--;
IF OBJECT_ID(N'domain', N'U') IS NULL
CREATE TABLE domain (
  id NVARCHAR(255) NULL,
  dm NVARCHAR(255) NULL,
  ph NVARCHAR(255) NULL,
  [add] NVARCHAR(255) NULL,
  dn NVARCHAR(255) NULL,
  circle NVARCHAR(255) NULL
);
--;
IF OBJECT_ID(N'engineer', N'U') IS NULL
CREATE TABLE engineer (
  Engineer NVARCHAR(255) NULL,
  Phone NVARCHAR(255) NULL,
  AREA NVARCHAR(255) NULL
);
--;
IF OBJECT_ID(N'NGN', N'U') IS NULL
CREATE TABLE NGN (
  ngn_provider NVARCHAR(255) NULL,
  circle NVARCHAR(255) NULL,
  sip_domain NVARCHAR(255) NULL,
  voip_vlan NVARCHAR(255) NULL
);
--;
IF OBJECT_ID(N'VOIP', N'U') IS NULL
CREATE TABLE VOIP (
  CIRCLE NVARCHAR(255) NULL,
  SERVICE NVARCHAR(255) NULL,
  BNG NVARCHAR(255) NULL,
  IP NVARCHAR(255) NULL,
  ID NVARCHAR(255) NULL DEFAULT 'NA'
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_voip_id')
CREATE INDEX ix_voip_id ON VOIP(ID);
--;
IF OBJECT_ID(N'offline_user', N'U') IS NULL
CREATE TABLE offline_user (
  id NVARCHAR(255) NULL,
  LDR NVARCHAR(255) NULL,
  FS NVARCHAR(255) NULL
);
--;
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_offline_user_id')
CREATE INDEX ix_offline_user_id ON offline_user(id);
