"""Decodes the messages of a maildir for the tests' SMTP sink: prints a JSON array with,
per message file given on the command line, its addresses, decoded subject and bodies."""
import email
import email.policy
import json
import sys


def addresses(message, name):
    header = message.get(name)
    if header is None:
        return []
    try:
        return [a.addr_spec for a in header.addresses]
    except Exception:
        return [part.strip() for part in str(header).split(",") if part.strip()]


def body(message, kind):
    part = message.get_body(preferencelist=(kind,))
    return part.get_content() if part is not None else ""


def decode(path):
    with open(path, "rb") as f:
        raw = f.read()
    message = email.message_from_bytes(raw, policy=email.policy.default)
    sender = addresses(message, "From")
    envelope_to = message.get("X-RcptTo", "")
    return {
        "file": path,
        "from": sender[0] if sender else "",
        "to": addresses(message, "To"),
        "cc": addresses(message, "Cc"),
        "subject": str(message.get("Subject", "")),
        "html": body(message, "html"),
        "text": body(message, "plain"),
        "envelopeFrom": str(message.get("X-MailFrom", "")),
        "envelopeTo": [a.strip() for a in str(envelope_to).split(",") if a.strip()],
        "raw": raw.decode("utf-8", "replace"),
    }


json.dump([decode(p) for p in sys.argv[1:]], sys.stdout)
