#include "platform/framework/DateTimePicker.h"

#include <QKeyEvent>
#include <QLocale>
#include <QSignalBlocker>

namespace platform {

namespace {
QString ShortDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    // Four-digit years: a two-digit year cannot tell 2038 from 2138.
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}
} // namespace

DateTimePicker::DateTimePicker(bool timeFormat, QWidget* parent)
    : QDateTimeEdit(parent), m_timeFormat(timeFormat), m_held(QDateTime::currentDateTime())
{
    setTimeSpec(Qt::LocalTime);
    setDisplayFormat(timeFormat ? QStringLiteral("HH:mm:ss") : ShortDateFormat());
    setCalendarPopup(!timeFormat);
    setMinimumDateTime(QDateTime(QDate(1601, 1, 1), QTime(0, 0)));
    setMaximumDateTime(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)));
    SetValue(m_held);
}

void DateTimePicker::SetValue(const QDateTime& value)
{
    const QSignalBlocker blocker(this);
    m_held = value;
    setDateTime(value);
}

void DateTimePicker::keyPressEvent(QKeyEvent* event)
{
    const bool left = event->key() == Qt::Key_Left;
    if ((left || event->key() == Qt::Key_Right) && event->modifiers() == Qt::NoModifier) {
        const int section = currentSectionIndex() + (left ? -1 : 1);
        if (section >= 0 && section < sectionCount())
            setCurrentSectionIndex(section);
        setSelectedSection(currentSection());
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

QDateTime DateTimePicker::Value() const
{
    const QDateTime shown = dateTime();
    if (m_timeFormat)
        return QDateTime(m_held.date(), shown.time());
    return QDateTime(shown.date(), m_held.time());
}

} // namespace platform
