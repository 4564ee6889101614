#include "ui/FilterValidator.h"

TCharSet::TCharSet(const std::string& text)
{
    const std::u32string chars = QString::fromStdString(text).toStdU32String();
    for (size_t i = 0; i < chars.size(); ++i) {
        if (i + 2 < chars.size() && chars[i + 1] == U'-') {
            m_ranges.emplace_back(chars[i], chars[i + 2]);
            i += 2;
        } else {
            m_ranges.emplace_back(chars[i], chars[i]);
        }
    }
}

bool TCharSet::Contains(char32_t c) const
{
    for (const auto& [low, high] : m_ranges) {
        if (c >= low && c <= high)
            return true;
    }
    return false;
}

TFilterValidator::TFilterValidator(const std::string& charSet, QObject* parent)
    : QValidator(parent)
    , m_set(charSet)
{
}

QValidator::State TFilterValidator::validate(QString& input, int&) const
{
    for (char32_t c : input.toStdU32String()) {
        if (!m_set.Contains(c))
            return Invalid;
    }
    return Acceptable;
}
