#pragma once

#include <QGroupBox>

namespace platform {

// A group box as the templates were laid out for: the frame's top line runs through the
// middle of the title, which sits on the line at the box's top, so controls placed just below
// the template's top edge are inside the frame. Flat boxes have a single line, the others an
// etched one.
class GroupBox : public QGroupBox
{
    Q_OBJECT

public:
    GroupBox(bool flat, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_flat;
};

} // namespace platform
