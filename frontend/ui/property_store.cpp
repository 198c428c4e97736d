#include "frontend/ui/property_store.h"

namespace ui {

QVariant PropertyStore::Read(const QString& name, const QVariant& defaultValue) const {
  auto found = values_.find(name);
  return found == values_.end() ? defaultValue : found->second;
}

void PropertyStore::Write(const QString& name, const QVariant& value,
                          const QVariant& defaultValue) {
  if (value == defaultValue) {
    values_.erase(name);
  } else {
    values_[name] = value;
  }
}

QStringList PropertyStore::Names() const {
  QStringList names;
  for (const auto& entry : values_) names << entry.first;
  return names;
}

void PropertyStore::NotifyChanged(const QString& name) const {
  if (onChanged) onChanged(name);
}

}  // namespace ui
