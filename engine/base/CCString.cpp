// CCString and the boxed values.
#include "engine/base/CCString.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "engine/base/CCCreate.h"
#include "engine/base/CCStringFormat.h"

namespace engine {

CCString* CCString::create(const std::string& s) {
    return autoreleasedOrNull(new CCString(s), true);
}

CCString* CCString::createWithFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string s = formatString(format, args);
    va_end(args);
    return create(s);
}

CCString* CCString::createWithData(const unsigned char* data, unsigned long length) {
    if (!data) return create("");
    return create(std::string(reinterpret_cast<const char*>(data), length));
}

int CCString::intValue() const { return std::atoi(m_sString.c_str()); }
unsigned int CCString::uintValue() const {
    return static_cast<unsigned int>(std::strtoul(m_sString.c_str(), nullptr, 10));
}
float CCString::floatValue() const { return static_cast<float>(std::atof(m_sString.c_str())); }
double CCString::doubleValue() const { return std::atof(m_sString.c_str()); }

bool CCString::boolValue() const {
    const char* s = m_sString.c_str();
    if (strcasecmp(s, "true") == 0 || strcasecmp(s, "yes") == 0) return true;
    return std::atof(s) != 0.0;
}

bool CCString::isEqual(const CCObject* other) const {
    const CCString* o = dynamic_cast<const CCString*>(other);
    return o && o->m_sString == m_sString;
}

CCInteger* CCInteger::create(int v) {
    return autoreleasedOrNull(new CCInteger(v), true);
}
CCDouble* CCDouble::create(double v) {
    return autoreleasedOrNull(new CCDouble(v), true);
}
CCFloat* CCFloat::create(float v) {
    return autoreleasedOrNull(new CCFloat(v), true);
}
CCBool* CCBool::create(bool v) {
    return autoreleasedOrNull(new CCBool(v), true);
}

}  // namespace engine
