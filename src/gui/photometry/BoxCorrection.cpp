#include "gui/photometry/BoxCorrection.h"

#include <QLineEdit>

namespace lumvane {

bool CorrectText(QLineEdit& box, const std::optional<TextCorrection>& correction)
{
    if (!correction)
        return false;
    box.setText(QString::fromStdString(correction->text));
    return correction->beep;
}

} // namespace lumvane
