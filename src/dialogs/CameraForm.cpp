#include "CameraForm.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace zev::dialogs {

TCameraForm::TCameraForm(edit::WorkspaceSpeeds& speeds, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), speeds_(speeds) {
    setObjectName(QStringLiteral("CameraForm"));
    setWindowTitle(QStringLiteral("Camera Control Center"));
    auto* layout = new QFormLayout(this);
    using S = edit::WorkspaceSpeeds;
    ObjRot = spinner("ObjRot", 1, 30, &S::objectRotation);
    ObjMov = spinner("ObjMov", 1, 50, &S::objectMovement);
    CamMov = spinner("CamMov", 1, 100, &S::cameraMovement);
    CamUpDwn = spinner("CamUpDwn", 1, 50, &S::cameraUpDown);
    CamSteer = spinner("CamSteer", 1, 50, &S::cameraSteering);
    layout->addRow(QStringLiteral("Object Rotation Speed"), ObjRot);
    layout->addRow(QStringLiteral("Object Movement Speed"), ObjMov);
    layout->addRow(QStringLiteral("Camera Movement Speed"), CamMov);
    layout->addRow(QStringLiteral("Camera Up and Down Speed"), CamUpDwn);
    layout->addRow(QStringLiteral("Camera Steering Speed"), CamSteer);
    FormShow();
}

QSpinBox* TCameraForm::spinner(const char* name, int low, int high,
                               int edit::WorkspaceSpeeds::*speed) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    // The number is changed by the arrows only, as the field is read-only text.
    if (auto* text = box->findChild<QLineEdit*>())
        text->setReadOnly(true);
    connect(box, &QSpinBox::valueChanged, this,
            [this, speed](int value) { speeds_.*speed = value; });
    return box;
}

void TCameraForm::FormShow() {
    const edit::WorkspaceSpeeds current = speeds_;
    ObjRot->setValue(current.objectRotation);
    ObjMov->setValue(current.objectMovement);
    CamMov->setValue(current.cameraMovement);
    CamUpDwn->setValue(current.cameraUpDown);
    CamSteer->setValue(current.cameraSteering);
}

void TCameraForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

} // namespace zev::dialogs
