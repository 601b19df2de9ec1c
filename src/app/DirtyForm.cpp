#include "DirtyForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev::app {

TDirtyForm::TDirtyForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ZEVEDIT 3D Work Space Manager"));
    setObjectName(QStringLiteral("DirtyForm"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("You currently have an unsaved Work Space Open.")));
    layout->addWidget(new QLabel(QStringLiteral("What Would You Like to Do?")));
    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const QString& text, UnsavedChoice result) {
        auto* b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [this, result] {
            choice_ = result;
            done(static_cast<int>(result));
        });
        buttons->addWidget(b);
        return b;
    };
    addButton("SaveItBtn", QStringLiteral("Save It"), UnsavedChoice::SaveIt)->setDefault(true);
    addButton("DumpItBtn", QStringLiteral("Dump It"), UnsavedChoice::DumpIt);
    addButton("CancelBtn", QStringLiteral("Cancel"), UnsavedChoice::Cancel);
    layout->addLayout(buttons);
}

UnsavedChoice TDirtyForm::ask(QWidget* parent) {
    TDirtyForm form(parent);
    form.exec();
    return form.choice();
}

} // namespace zev::app
