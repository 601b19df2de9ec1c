#pragma once

// What the dialog tests share: finding a named control, pressing a named button and answering
// the next modal dialog.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace dialogtest {

template <typename T> T* child(QWidget* parent, const char* name) {
    auto* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline void click(QWidget* parent, const char* name) {
    child<QAbstractButton>(parent, name)->click();
}

// Answers the next modal dialog of type Form once it is open.
template <typename Form> void answerNext(std::function<void(Form*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* form = qobject_cast<Form*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        answer(form);
    });
}

} // namespace dialogtest
