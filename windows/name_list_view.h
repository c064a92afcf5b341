#pragma once

#include <QTableView>

namespace quorava {

// The main window's list of names: a report view with grid lines whose selection is
// only shown while the view has the keyboard focus.
class NameListView : public QTableView {
    Q_OBJECT
public:
    explicit NameListView(QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};

} // namespace quorava
