#include "info_message.h"

#include <QMessageBox>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {
std::function<void(const QString &)> g_sinkForTesting;
} // namespace

void setInformationSinkForTesting(std::function<void(const QString &)> sink)
{
    g_sinkForTesting = std::move(sink);
}

std::unique_ptr<QMessageBox> createInformationBox(const QString &text)
{
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(u"信息："_s);
    box->setTextFormat(Qt::PlainText); // file names may hold anything
    box->setText(text);
    box->setIcon(QMessageBox::NoIcon);
    box->setStandardButtons(QMessageBox::Ok);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void showInformation(const QString &text)
{
    if (g_sinkForTesting) {
        g_sinkForTesting(text);
        return;
    }
    createInformationBox(text)->exec();
}

} // namespace quorava
