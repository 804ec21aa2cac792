#pragma once
// The environment a test starts a program in.

#include <QProcessEnvironment>
#include <QStringList>

namespace tracewell::testing {

// This process's environment with changes: "NAME=value" sets a variable, "NAME" alone
// removes it.
inline QProcessEnvironment changedEnvironment(const QStringList& changes) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString& change : changes) {
        const qsizetype eq = change.indexOf('=');
        if (eq < 0)
            e.remove(change);
        else
            e.insert(change.left(eq), change.mid(eq + 1));
    }
    return e;
}

}  // namespace tracewell::testing
