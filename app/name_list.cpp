#include "name_list.h"

#include <QtGlobal>

#include <utility>

namespace quorava {

NameList::NameList(QString text) : m_text(std::move(text)) {}

void NameList::append(qsizetype offset, qsizetype length)
{
    Q_ASSERT(offset >= 0 && length >= 0 && offset + length <= m_text.size());
    Q_ASSERT(offset + length < qsizetype(kNone));
    m_spans.push_back({static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length)});
}

void NameList::appendNone()
{
    m_spans.push_back({0, kNone});
}

const NameList::Span &NameList::span(qsizetype p) const
{
    Q_ASSERT(p >= 1 && p <= count());
    return m_spans[static_cast<size_t>(p - 1)];
}

QStringView NameList::nameView(qsizetype p) const
{
    const Span &s = span(p);
    if (s.length == kNone)
        return {};
    return QStringView(m_text).mid(s.offset, s.length);
}

std::optional<QString> NameList::name(qsizetype p) const
{
    if (span(p).length == kNone)
        return std::nullopt;
    return nameView(p).toString();
}

QString NameList::displayName(qsizetype p) const
{
    return nameView(p).toString();
}

} // namespace quorava
