#pragma once

#include <QValidator>

#include <string>
#include <utility>
#include <vector>

// A set of characters written as a character-set text in which a '-' between two
// characters stands for every character from the one before it to the one after it
// ("0-9A-Z"); a '-' at either end stands for itself.
class TCharSet {
public:
    explicit TCharSet(const std::string& text);
    bool Contains(char32_t c) const;

private:
    std::vector<std::pair<char32_t, char32_t>> m_ranges;
};

// Accepts text made only of the characters of its set; anything else is refused as it is
// typed or pasted.
class TFilterValidator : public QValidator {
public:
    explicit TFilterValidator(const std::string& charSet, QObject* parent = nullptr);
    State validate(QString& input, int& position) const override;
    const TCharSet& CharSet() const { return m_set; }

private:
    TCharSet m_set;
};
