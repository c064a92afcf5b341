#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace quorava {

// The imported names, numbered 1..count(). The names are stored as spans into one
// shared text, so a million names cost a few bytes each instead of one heap string each.
class NameList {
public:
    NameList() = default;

    // Starts a list over `text`; names are then added as spans of it.
    explicit NameList(QString text);

    void append(qsizetype offset, qsizetype length);
    void appendNone();
    void reserve(qsizetype count) { m_spans.reserve(static_cast<size_t>(count)); }

    qsizetype count() const { return static_cast<qsizetype>(m_spans.size()); }
    bool isEmpty() const { return m_spans.empty(); }

    // Name number p, 1 <= p <= count(); std::nullopt for a name that is none.
    std::optional<QString> name(qsizetype p) const;
    // The same, shown as text: a name that is none reads as empty.
    QString displayName(qsizetype p) const;
    QStringView nameView(qsizetype p) const;

    const QString &text() const { return m_text; }

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length; // kNone marks a name that is none
    };
    static constexpr std::uint32_t kNone = UINT32_MAX;

    const Span &span(qsizetype p) const;

    QString m_text;
    std::vector<Span> m_spans;
};

} // namespace quorava
