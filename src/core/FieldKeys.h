#pragma once
// Keyboard and focus conventions of the screens: Enter in a named field moves the
// focus on as Tab would (and does nothing else), and actions run when a field loses
// the focus.
#include <QObject>
#include <QWidget>
#include <functional>
#include <initializer_list>

namespace k7t {

class FieldKeys : public QObject {
    Q_OBJECT
public:
    // Enter in each of `fields` moves the focus to the next control in tab order.
    static void enterMovesNext(std::initializer_list<QWidget*> fields);
    // `action` runs each time `field` loses the focus.
    static void onFocusLost(QWidget* field, std::function<void()> action);
    // `action` runs on a double click in `field` (a text box or a multi-line box).
    static void onDoubleClick(QWidget* field, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FieldKeys(QObject* parent) : QObject(parent) {}
    bool enterMovesNext_ = false;
    std::function<void()> focusLost_;
    std::function<void()> doubleClick_;
};

// Moves the focus from `from` to the next control that takes it by Tab.
void focusNextControl(QWidget* from);

} // namespace k7t
