#pragma once

#include <QDateTimeEdit>

namespace platform {

// The date-time picker's window. It holds a whole date and time and shows the date (short
// format, with a calendar to drop down) or the time of day.
class DateTimePicker : public QDateTimeEdit
{
    Q_OBJECT

public:
    DateTimePicker(bool timeFormat, QWidget* parent);

    void SetValue(const QDateTime& value);
    QDateTime Value() const;

protected:
    // One tab stop: Tab leaves the picker, the arrow keys move between its fields.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_timeFormat;
    QDateTime m_held; // the part the picker does not show comes from here
};

} // namespace platform
