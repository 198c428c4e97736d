#include "frontend/ui/property_store.h"

#include <algorithm>

namespace veyora::frontend::ui {
namespace {

// Finds the entry of this name in a store's values.
template <class Values>
auto Find(Values& values, const QString& name) {
  return std::find_if(values.begin(), values.end(),
                      [&name](const auto& entry) { return entry.first == name; });
}

}  // namespace

QVariant PropertyStore::Read(const QString& name, const QVariant& defaultValue) const {
  auto found = Find(values_, name);
  return found == values_.end() ? defaultValue : found->second;
}

// A value written again keeps its place.
void PropertyStore::Write(const QString& name, const QVariant& value,
                          const QVariant& defaultValue) {
  auto found = Find(values_, name);
  if (value == defaultValue) {
    if (found != values_.end()) values_.erase(found);
  } else if (found != values_.end()) {
    found->second = value;
  } else {
    values_.emplace_back(name, value);
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

}  // namespace veyora::frontend::ui
