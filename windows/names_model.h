#pragma once

#include "app/name_list.h"

#include <QAbstractTableModel>

namespace quorava {

// The main window's list as a model over the imported names: column 0 the number from 1,
// column 1 the name. Nothing is stored per row, so a reset costs the same for 5 or 5,000,000.
class NamesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit NamesModel(QObject *parent = nullptr);

    // Removes every row; the columns, their widths and their on-screen order stay.
    void clear();
    // Shows `names` (after clear()); they must stay alive until the next clear().
    void setNames(const NameList *names);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const NameList *m_names = nullptr;
};

} // namespace quorava
