#include "notices/Notices.h"

#include "notices/ApplicationTitle.h"
#include "notices/ErrorText.h"

#include <QMessageBox>
#include <QString>

namespace Notices {
namespace {

Interceptor &CurrentInterceptor()
{
    static Interceptor interceptor;
    return interceptor;
}

void Show(Kind kind, const QString &text)
{
    if (const Interceptor &intercept = CurrentInterceptor()) {
        intercept(kind, text);
        return;
    }
    const QMessageBox::Icon icon = kind == Kind::Error ? QMessageBox::Critical : QMessageBox::NoIcon;
    QMessageBox box(icon, ApplicationTitle(), text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

}  // namespace

void ShowNotice(const QString &text)
{
    Show(Kind::Notice, text);
}

void ShowErrorBox(const QString &text)
{
    Show(Kind::Error, ErrorText::WithClosingFullStop(text));
}

void InterceptForTests(Interceptor interceptor)
{
    CurrentInterceptor() = std::move(interceptor);
}

}  // namespace Notices
