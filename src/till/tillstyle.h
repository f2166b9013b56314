// The till's look: a Song-style CJK font at 16 pixels, and a light style sheet whose hue the
// settings can turn.
#pragma once

#include <QFont>
#include <QString>

class QApplication;

namespace shop::till {

// "宋体" where the machine has it, else an installed CJK font of the same kind.
QFont tillFont(int pixelSize = 16);
QString tillStyleSheet(int hue);
void applyTillStyle(QApplication& app, int hue);

} // namespace shop::till
