#pragma once

#include <QApplication>

namespace quorava {

// The application object. Every event handler runs inside notify(), so this is where
// an exhausted memory is caught and turned into the fatal failure.
class Application : public QApplication {
    Q_OBJECT
public:
    static const char *const kDescriptionProperty;

    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace quorava
