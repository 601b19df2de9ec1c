#include "PathForm.h"

#include "FormParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace zev::dialogs {

TPathForm::TPathForm(const edit::PathValues& values, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PathForm"));
    setWindowTitle(QStringLiteral("Path Animation"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* rows = new QFormLayout;
    Enabled = namedCheck("Enabled", "Enabled", values.enabled);
    Period = namedEdit("Period", values.period);
    rows->addRow(Enabled);
    rows->addRow(QStringLiteral("Period"), Period);
    top->addLayout(rows);
    const RadioGroup looping =
        radioGroup(this, "Looping", "Looping", edit::kPathLoopingTexts, int(values.looping));
    const RadioGroup rotation =
        radioGroup(this, "Rotation", "Rotation", edit::kPathRotationTexts, int(values.rotation));
    Looping = looping.buttons;
    Rotation = rotation.buttons;
    top->addWidget(looping.box);
    top->addWidget(rotation.box);
    layout->addLayout(top);

    constexpr int points = mission::MissionObjectRecord::pathPointCount;
    constexpr int columns = int(std::size(edit::kPathColumnTitles));
    auto* grid = new QHBoxLayout;
    PathGrid = new QTableWidget(points, columns);
    PathGrid->setObjectName(QStringLiteral("PathGrid"));
    QStringList titles, rowTitles;
    for (const char* title : edit::kPathColumnTitles)
        titles << QString::fromLatin1(title);
    PathGrid->setHorizontalHeaderLabels(titles);
    auto* enables = new QVBoxLayout;
    for (int p = 0; p < points; ++p) {
        rowTitles << QStringLiteral("Path %1").arg(p + 1);
        const edit::PathPointValues& point = values.points[std::size_t(p)];
        for (int c = 0; c < columns; ++c)
            PathGrid->setItem(p, c,
                              new QTableWidgetItem(fromRecordText(point.cells[std::size_t(c)])));
        const std::string name = "Enable" + std::to_string(p + 1);
        Enable[std::size_t(p)] = namedCheck(name.c_str(), "Enable", point.enabled);
        enables->addWidget(Enable[std::size_t(p)]);
    }
    PathGrid->setVerticalHeaderLabels(rowTitles);
    grid->addWidget(PathGrid, 1);
    grid->addLayout(enables);
    layout->addLayout(grid);

    addOkCancel(this, layout, [this] { accept(); });
    resize(760, 480);
}

edit::PathValues TPathForm::values() const {
    edit::PathValues v;
    v.enabled = Enabled->isChecked();
    v.period = toRecordText(Period->text());
    // Both groups open with an entry checked, and radio buttons cannot be unchecked.
    v.looping = edit::PathLooping(std::max(Looping->checkedId(), 0));
    v.rotation = edit::PathRotation(std::max(Rotation->checkedId(), 0));
    for (int p = 0; p < int(v.points.size()); ++p) {
        edit::PathPointValues& point = v.points[std::size_t(p)];
        point.enabled = Enable[std::size_t(p)]->isChecked();
        for (int c = 0; c < int(point.cells.size()); ++c)
            point.cells[std::size_t(c)] = toRecordText(PathGrid->item(p, c)->text());
    }
    return v;
}

} // namespace zev::dialogs
