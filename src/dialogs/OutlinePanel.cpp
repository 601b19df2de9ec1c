#include "OutlinePanel.h"

#include "FormParts.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <limits>

namespace zev::dialogs {

using edit::OutlineColumn;

// The outline's rows as a Qt table, kept in step by the outline's notices (a row at a time).
class OutlineTableModel : public QAbstractTableModel, public edit::OutlineObserver {
public:
    explicit OutlineTableModel(edit::OutlineModel& outline, QObject* parent)
        : QAbstractTableModel(parent), outline_(outline) {
        outline_.setObserver(this);
    }
    ~OutlineTableModel() override { outline_.setObserver(nullptr); }

    const edit::OutlineModel& outline() const { return outline_; }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(outline_.rows().size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : edit::kOutlineColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= int(outline_.rows().size()))
            return {};
        const std::string& cell =
            outline_.rows()[std::size_t(index.row())].cells[std::size_t(index.column())];
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return fromRecordText(cell);
        if (role == kSortRole) {
            // Numbers sort as numbers; rows without one after those with one.
            const auto column = OutlineColumn(index.column());
            if (column == OutlineColumn::Slot || column == OutlineColumn::Area ||
                column == OutlineColumn::Star) {
                bool ok = false;
                const int n = fromRecordText(cell).toInt(&ok);
                return ok ? n : std::numeric_limits<int>::max();
            }
            return fromRecordText(cell).toLower();
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < edit::kOutlineColumnCount)
            return QString::fromLatin1(edit::outlineColumnTitle(OutlineColumn(section)));
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    static constexpr int kSortRole = Qt::UserRole + 1;

    // edit::OutlineObserver
    void aboutToReset() override { beginResetModel(); }
    void reset() override { endResetModel(); }
    void aboutToInsert(int first, int count) override {
        beginInsertRows({}, first, first + count - 1);
    }
    void inserted() override { endInsertRows(); }
    void aboutToRemove(int first, int count) override {
        beginRemoveRows({}, first, first + count - 1);
    }
    void removed() override { endRemoveRows(); }
    void changed(int first, int last) override {
        emit dataChanged(index(first, 0), index(last, edit::kOutlineColumnCount - 1));
    }

private:
    edit::OutlineModel& outline_;
};

namespace {

// Rows the search text leaves.
class OutlineProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setSearch(const QString& text) {
        filter_ = edit::OutlineFilter(toRecordText(text));
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (parent.isValid() || filter_.empty())
            return true;
        const auto* table = static_cast<const OutlineTableModel*>(sourceModel());
        const auto& rows = table->outline().rows();
        return row < int(rows.size()) && filter_.matches(rows[std::size_t(row)]);
    }

private:
    edit::OutlineFilter filter_;
};

} // namespace

OutlinePanel::OutlinePanel(edit::OutlineModel& outline, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OutlinePanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    OutlineSearch = new QLineEdit;
    OutlineSearch->setObjectName(QStringLiteral("OutlineSearch"));
    OutlineSearch->setAccessibleName(QStringLiteral("Search the outline"));
    OutlineSearch->setPlaceholderText(
        QStringLiteral("Search (name: group: area: star: geometry:)"));
    OutlineSearch->setToolTip(QStringLiteral(
        "Words match any column; group:, area:, star:, name:, geometry: and slot: keep a word "
        "to their column"));
    OutlineSearch->setClearButtonEnabled(true);
    layout->addWidget(OutlineSearch);

    table_ = new OutlineTableModel(outline, this);
    auto* proxy = new OutlineProxy(this);
    proxy_ = proxy;
    proxy_->setSourceModel(table_);
    proxy_->setSortRole(OutlineTableModel::kSortRole);
    proxy_->setDynamicSortFilter(true);
    connect(OutlineSearch, &QLineEdit::textChanged, this,
            [proxy](const QString& text) { proxy->setSearch(text); });

    OutlineList = new QTableView;
    OutlineList->setObjectName(QStringLiteral("OutlineList"));
    OutlineList->setAccessibleName(QStringLiteral("Mission outline"));
    OutlineList->setModel(proxy_);
    OutlineList->setSortingEnabled(true);
    // Unsorted at first: objects by slot, start points, nav points.
    OutlineList->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    proxy_->sort(-1);
    OutlineList->setSelectionBehavior(QAbstractItemView::SelectRows);
    OutlineList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    OutlineList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OutlineList->verticalHeader()->hide();
    OutlineList->verticalHeader()->setDefaultSectionSize(OutlineList->fontMetrics().height() + 4);
    QHeaderView* header = OutlineList->horizontalHeader();
    header->setStretchLastSection(true);
    // Narrow number columns; measuring the rows would cost every change its share.
    const int number = OutlineList->fontMetrics().horizontalAdvance(QStringLiteral("Slot 000"));
    for (const OutlineColumn c : {OutlineColumn::Slot, OutlineColumn::Area, OutlineColumn::Star})
        header->resizeSection(int(c), number);
    header->resizeSection(int(OutlineColumn::Name), number * 2);
    OutlineList->setWordWrap(false);
    OutlineList->installEventFilter(this);
    layout->addWidget(OutlineList, 1);

    connect(OutlineList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &OutlinePanel::selectionMoved);
    // Rows that come, go or are sorted anew keep the workspace's selection marked.
    const auto remark = [this] { showSelection(shown_); };
    connect(proxy_, &QAbstractItemModel::rowsInserted, this, remark);
    connect(proxy_, &QAbstractItemModel::rowsRemoved, this, remark);
    connect(proxy_, &QAbstractItemModel::modelReset, this, remark);
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, remark);
    connect(OutlineList, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const edit::Selection thing = thingAt(index.row());
        if (thing.kind != edit::Selection::Kind::None)
            emit thingActivated(thing);
    });
}

OutlinePanel::~OutlinePanel() {
    OutlineList->setModel(nullptr);
}

int OutlinePanel::shownRowCount() const {
    return proxy_->rowCount();
}

edit::Selection OutlinePanel::thingAt(int proxyRow) const {
    const QModelIndex source = proxy_->mapToSource(proxy_->index(proxyRow, 0));
    const auto& rows = table_->outline().rows();
    if (!source.isValid() || source.row() >= int(rows.size()))
        return edit::Selection::none();
    return rows[std::size_t(source.row())].thing;
}

void OutlinePanel::selectionMoved() {
    // Only the user's own choice is handed on: the view also moves its selection itself when
    // rows come and go.
    if (showing_ || !OutlineList->hasFocus())
        return;
    const QModelIndexList picked = OutlineList->selectionModel()->selectedRows();
    if (picked.isEmpty())
        return;
    std::vector<edit::Selection> things;
    for (const QModelIndex& index : picked)
        if (const edit::Selection thing = thingAt(index.row());
            thing.kind != edit::Selection::Kind::None)
            things.push_back(thing);
    emit thingsChosen(things);
}

void OutlinePanel::showSelection(const std::vector<edit::Selection>& selection) {
    shown_ = selection;
    showing_ = true;
    QItemSelection rows;
    QModelIndex last;
    for (const edit::Selection& thing : selection) {
        const int row = table_->outline().rowOf(thing);
        const QModelIndex at =
            row < 0 ? QModelIndex() : proxy_->mapFromSource(table_->index(row, 0));
        if (!at.isValid())
            continue;
        rows.select(at, at);
        last = at;
    }
    OutlineList->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    if (last.isValid()) {
        OutlineList->selectionModel()->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
        OutlineList->scrollTo(last);
    }
    showing_ = false;
}

bool OutlinePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == OutlineList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QModelIndex current = OutlineList->currentIndex();
            const edit::Selection thing =
                current.isValid() ? thingAt(current.row()) : edit::Selection::none();
            if (thing.kind != edit::Selection::Kind::None)
                emit thingToEdit(thing);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zev::dialogs
