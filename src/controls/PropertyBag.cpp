#include <glimmer/PropertyBag.h>

namespace glimmer {

PropertyBag::~PropertyBag() = default;

bool PropertyBag::isDefault(const QVariant& value, const QVariant& defaultValue) {
    return defaultValue.isValid() && value == defaultValue;
}

} // namespace glimmer
