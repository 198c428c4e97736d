#pragma once

#include <QComboBox>

namespace veyora::frontend::ui {

// An edit field with a drop-down list. Typed text stays in the field and is never
// added to the list; picking an item puts its text in the field.
class ComboBox : public QComboBox {
 public:
  explicit ComboBox(QWidget* container);

  QString Text() const { return currentText(); }
  void SetText(const QString& text) { setEditText(text); }
  void AddItem(const QString& item);
};

}  // namespace veyora::frontend::ui
