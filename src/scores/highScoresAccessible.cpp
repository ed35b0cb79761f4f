#include "scores/highScoresAccessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPointer>
#include <algorithm>
#include <map>
#include <mutex>

#include "scores/frmHighScores.h"

namespace quillbox::scores {

namespace {

constexpr int kColumns = 3;

QAccessible::State readOnlyState() {
    QAccessible::State state;
    state.readOnly = true;
    return state;
}

class Table;

// One printed text: a cell, or (line 0) a column's heading.
class Cell : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    Cell(frmHighScores* window, Table* table, int line, int column)
        : window_(window), table_(table), line_(line), column_(column) {}

    bool isValid() const override { return !window_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? printed().text.trimmed() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const frmHighScores::PrintedText& p = printed();
        return QRect(
            window_->mapToGlobal(p.at),
            QSize(window_->fontMetrics().horizontalAdvance(p.text), window_->lineHeight()));
    }
    QAccessible::Role role() const override {
        return line_ == 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override { return readOnlyState(); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    // Rows count the entries from 0; the heading is the row before them.
    int rowIndex() const override { return line_ - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    const frmHighScores::PrintedText& printed() const {
        return window_->printedCell(line_, column_);
    }

    QPointer<frmHighScores> window_;
    Table* table_;
    int line_;
    int column_;
};

// Its children are the headings, then the cells row by row.
class Table : public QAccessibleInterface, public QAccessibleTableInterface {
  public:
    explicit Table(frmHighScores* window) : window_(window) {}
    ~Table() override {
        for (const auto& [index, id] : cells_)
            QAccessible::deleteAccessibleInterface(id);
    }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    bool isValid() const override { return !window_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(window_);
    }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        auto [at, added] = cells_.try_emplace(index);
        // Qt's cache owns it from here; ~Table deletes it there.
        if (added)
            // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
            at->second = QAccessible::registerAccessibleInterface(
                new Cell(window_, const_cast<Table*>(this), index / kColumns, index % kColumns));
        return QAccessible::accessibleInterface(at->second);
    }
    int childCount() const override { return window_->printedLines() * kColumns; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [index, id] : cells_)
            if (QAccessible::accessibleInterface(id) == child)
                return index;
        return -1;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? QStringLiteral("High scores") : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        return QRect(window_->mapToGlobal(QPoint(0, 0)), window_->size());
    }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override { return readOnlyState(); }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        // A row past the last is no child either.
        if (row < 0 || column < 0 || column >= kColumns)
            return nullptr;
        return child((row + 1) * kColumns + column);
    }
    QAccessibleInterface* heading(int column) const { return child(column); }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        const QAccessibleInterface* h = heading(column);
        return h ? h->text(QAccessible::Name) : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return std::max(window_->printedLines() - 1, 0); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    QPointer<frmHighScores> window_;
    // Child index to the id of its interface, made on first use.
    mutable std::map<int, QAccessible::Id> cells_;
};

QAccessibleInterface* Cell::parent() const {
    return table_;
}
QAccessibleInterface* Cell::table() const {
    return table_;
}
QList<QAccessibleInterface*> Cell::columnHeaderCells() const {
    if (line_ == 0)
        return {};
    return {table_->heading(column_)};
}

// The window: a dialog whose one child is the table.
class Window : public QAccessibleWidget {
  public:
    explicit Window(frmHighScores* window) : QAccessibleWidget(window, QAccessible::Dialog) {}
    ~Window() override {
        if (tableId_ != 0)
            QAccessible::deleteAccessibleInterface(tableId_);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override { return index == 0 ? table() : nullptr; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == table() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return rect().contains(x, y) ? table() : nullptr;
    }

  private:
    QAccessibleInterface* table() const {
        // Qt's cache owns it from here; ~Window deletes it there.
        if (tableId_ == 0)
            // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
            tableId_ = QAccessible::registerAccessibleInterface(
                new Table(static_cast<frmHighScores*>(widget())));
        return QAccessible::accessibleInterface(tableId_);
    }

    mutable QAccessible::Id tableId_ = 0;
};

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
    if (auto* window = qobject_cast<frmHighScores*>(object))
        return new Window(window);
    return nullptr;
}

}  // namespace

void installHighScoresAccessibility() {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(&makeInterface); });
}

}  // namespace quillbox::scores
