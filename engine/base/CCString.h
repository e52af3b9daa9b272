// Reference-counted string object, and the boxed number and boolean values.
#pragma once

#include <string>

#include "engine/base/CCObject.h"

namespace engine {

class CCString : public CCObject {
public:
    CCString() = default;
    explicit CCString(const std::string& s) : m_sString(s) {}

    static CCString* create(const std::string& s);
    static CCString* createWithFormat(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;
    static CCString* createWithData(const unsigned char* data, unsigned long length);

    const char* getCString() const { return m_sString.c_str(); }
    const std::string& str() const { return m_sString; }
    unsigned int length() const { return static_cast<unsigned int>(m_sString.size()); }
    int compare(const char* s) const { return m_sString.compare(s ? s : ""); }

    // Numeric readings of the text: leading number, 0 when there is none.
    int intValue() const;
    unsigned int uintValue() const;
    float floatValue() const;
    double doubleValue() const;
    // "true", "yes" and any number other than 0 are true.
    bool boolValue() const;

    bool isEqual(const CCObject* other) const override;
    CCObject* copy() override { return new CCString(m_sString); }

    std::string m_sString;
};

class CCInteger : public CCObject {
public:
    explicit CCInteger(int v) : m_nValue(v) {}
    static CCInteger* create(int v);
    int getValue() const { return m_nValue; }

private:
    int m_nValue;
};

class CCDouble : public CCObject {
public:
    explicit CCDouble(double v) : m_dValue(v) {}
    static CCDouble* create(double v);
    double getValue() const { return m_dValue; }

private:
    double m_dValue;
};

class CCFloat : public CCObject {
public:
    explicit CCFloat(float v) : m_fValue(v) {}
    static CCFloat* create(float v);
    float getValue() const { return m_fValue; }

private:
    float m_fValue;
};

class CCBool : public CCObject {
public:
    explicit CCBool(bool v) : m_bValue(v) {}
    static CCBool* create(bool v);
    bool getValue() const { return m_bValue; }

private:
    bool m_bValue;
};

}  // namespace engine
