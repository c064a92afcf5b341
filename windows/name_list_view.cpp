#include "name_list_view.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace quorava {

namespace {

// Draws selected rows as ordinary ones while the view is not focused.
class FocusedSelectionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto *view = qobject_cast<const QWidget *>(parent());
        if (view && !view->hasFocus())
            option->state &= ~QStyle::State_Selected;
        option->state &= ~QStyle::State_HasFocus;
    }
};

} // namespace

NameListView::NameListView(QWidget *parent) : QTableView(parent)
{
    setItemDelegate(new FocusedSelectionDelegate(this));
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setTabKeyNavigation(false); // Tab leaves the list for the next control
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);

    QPalette colours = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, Qt::white);
        colours.setColor(group, QPalette::Text, Qt::black);
    }
    setPalette(colours);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView *header = horizontalHeader();
    header->setSectionsClickable(true);   // titles press like buttons...
    header->setSortIndicatorShown(false); // ...but sort nothing
    header->setHighlightSections(false);
    header->setSectionsMovable(true); // titles can be dragged to reorder the columns on screen
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void NameListView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void NameListView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

} // namespace quorava
