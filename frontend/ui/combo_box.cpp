#include "frontend/ui/combo_box.h"

namespace veyora::frontend::ui {

ComboBox::ComboBox(QWidget* container) : QComboBox(container) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
}

void ComboBox::AddItem(const QString& item) {
  // Adding to an empty list would otherwise replace the typed text by the item.
  const QString text = Text();
  addItem(item);
  SetText(text);
}

}  // namespace veyora::frontend::ui
