#pragma once

#include <QColor>

class QWidget;

namespace veyora::frontend::ui {

// Fills the widget's background with `colour` from now on.
void FillBackground(QWidget* widget, const QColor& colour);

}  // namespace veyora::frontend::ui
