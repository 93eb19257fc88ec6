#pragma once

#include <QObject>

// Swallows every context-menu event of the objects it watches. Installed on a widget it
// disables that widget's right-click menu (not its children's); installed on the
// application object it disables every context menu of the program.
class contextFitler : public QObject
{
    Q_OBJECT

public:
    explicit contextFitler(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
