#pragma once

// Opens the history window from the main window, as Ctrl+H does, and tells
// when its table first shows lines (the newest, from the log's end) and when
// the whole log is in: read, every line once, and charted.
#include "app/form1.h"
#include "historywindow/historywindow.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTimer>

#include <functional>

inline HistoryWindow *openHistory(Form1 &form, std::function<void()> firstRows, std::function<void()> loaded)
{
    form.OpenHistory();
    HistoryWindow *window = form.historyWindow();
    // Beside the main window, as one would put it, not over it.
    window->move(form.frameGeometry().right() + 8, 0);
    QAbstractItemModel *model = nullptr;
    for (QTableView *view : window->findChildren<QTableView *>())
        if (view->accessibleName() == QStringLiteral("抽選した行"))
            model = view->model();
    QObject::connect(model, &QAbstractItemModel::modelReset, window, [model, firstRows, shown = false]() mutable {
        if (model->rowCount() > 0 && !std::exchange(shown, true))
            firstRows();
    });
    // The window shows what the follower has read in the same turn of the loop.
    QObject::connect(&window->logFollower(), &LogFollower::changed, window,
                     [window, loaded] { QTimer::singleShot(0, window, loaded); });
    return window;
}
