#include "ColorSpinForm.h"

#include "FormParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zev::dialogs {

TColorSpinForm::TColorSpinForm(const edit::ColorSpinValues& values, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ColorSpinForm"));
    setWindowTitle(QStringLiteral("Color Spin Animation"));
    auto* layout = new QVBoxLayout(this);

    const int rows = int(values.colors.size());
    ColorGrid = new QTableWidget(rows, 2);
    ColorGrid->setObjectName(QStringLiteral("ColorGrid"));
    ColorGrid->horizontalHeader()->hide();
    ColorGrid->verticalHeader()->hide();
    for (int row = 0; row < rows; ++row) {
        auto* title = new QTableWidgetItem(QString::fromLatin1(edit::kColorRowTitles[row]));
        title->setFlags(title->flags() & ~Qt::ItemIsEditable);
        ColorGrid->setItem(row, 0, title);
        ColorGrid->setItem(row, 1,
                           new QTableWidgetItem(fromRecordText(values.colors[std::size_t(row)])));
    }
    ColorGrid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(ColorGrid);

    auto* rows2 = new QFormLayout;
    Period = namedEdit("Period", values.period);
    Enabled = namedCheck("Enabled", "Enabled", values.enabled);
    rows2->addRow(QStringLiteral("Period"), Period);
    rows2->addRow(Enabled);
    layout->addLayout(rows2);

    addOkCancel(this, layout, [this] { accept(); });
    resize(300, 560);
}

edit::ColorSpinValues TColorSpinForm::values() const {
    edit::ColorSpinValues v;
    for (int row = 0; row < int(v.colors.size()); ++row)
        v.colors[std::size_t(row)] = toRecordText(ColorGrid->item(row, 1)->text());
    v.period = toRecordText(Period->text());
    v.enabled = Enabled->isChecked();
    return v;
}

} // namespace zev::dialogs
