#include "names_model.h"

#include <QtGlobal>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

NamesModel::NamesModel(QObject *parent) : QAbstractTableModel(parent) {}

// Rows are removed and inserted rather than the model reset, so that the header keeps
// the column widths and the order the user dragged the titles into.
void NamesModel::clear()
{
    if (const int rows = rowCount(); rows > 0) {
        beginRemoveRows({}, 0, rows - 1);
        m_names = nullptr;
        endRemoveRows();
    }
    m_names = nullptr;
}

void NamesModel::setNames(const NameList *names)
{
    clear();
    if (!names || names->isEmpty())
        return;
    const int rows = int(qMin<qsizetype>(names->count(), std::numeric_limits<int>::max()));
    beginInsertRows({}, 0, rows - 1);
    m_names = names;
    endInsertRows();
}

int NamesModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_names)
        return 0;
    // Item views count rows in int; a list beyond that shows its first INT_MAX names.
    return int(qMin<qsizetype>(m_names->count(), std::numeric_limits<int>::max()));
}

int NamesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant NamesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_names || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (index.column() == 0)
            return QString::number(index.row() + 1);
        return m_names->displayName(index.row() + 1);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant NamesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return section == 0 ? u"序号"_s : u"姓名"_s;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags NamesModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable; // never editable
}

} // namespace quorava
