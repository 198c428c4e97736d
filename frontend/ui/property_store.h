#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>

namespace ui {

// The named values a host keeps for one instance of a reusable control. A value
// equal to its default is not stored, so reading it gives the default again; the
// host learns of a changed property through onChanged.
class PropertyStore {
 public:
  QVariant Read(const QString& name, const QVariant& defaultValue) const;
  void Write(const QString& name, const QVariant& value, const QVariant& defaultValue);
  bool Holds(const QString& name) const { return values_.count(name) != 0; }
  QStringList Names() const;

  // Called by the control when one of its properties changed.
  void NotifyChanged(const QString& name) const;
  std::function<void(const QString&)> onChanged;

 private:
  std::map<QString, QVariant> values_;
};

}  // namespace ui
