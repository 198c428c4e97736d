#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

namespace veyora::frontend::ui {

// The named values a host keeps for one instance of a reusable control, in the
// order they were first written. A value equal to its default (compared by value,
// so the number 1 equals the text "1") is not stored, so reading it gives the
// default again; the host learns of a changed property through onChanged.
class PropertyStore {
 public:
  QVariant Read(const QString& name, const QVariant& defaultValue) const;
  void Write(const QString& name, const QVariant& value, const QVariant& defaultValue);
  QStringList Names() const;

  // Called by the control when one of its properties changed.
  void NotifyChanged(const QString& name) const;
  std::function<void(const QString&)> onChanged;

 private:
  std::vector<std::pair<QString, QVariant>> values_;
};

}  // namespace veyora::frontend::ui
