#include "notices/Notices.h"

#include "notices/ApplicationTitle.h"
#include "notices/ErrorText.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

namespace Notices {
namespace {

// The error texts waiting while a OneErrorBox lives.
struct Gathering {
    int depth = 0;
    QStringList texts;
};

Gathering &Gathered()
{
    static Gathering gathering;
    return gathering;
}

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
    const QString shown = ErrorText::WithClosingFullStop(text);
    Gathering &gathered = Gathered();
    if (gathered.depth == 0)
        Show(Kind::Error, shown);
    else if (!gathered.texts.contains(shown))
        gathered.texts.append(shown);
}

OneErrorBox::OneErrorBox()
{
    ++Gathered().depth;
}

OneErrorBox::~OneErrorBox()
{
    Gathering &gathered = Gathered();
    if (--gathered.depth > 0 || gathered.texts.isEmpty())
        return;
    const QString text = gathered.texts.join(QStringLiteral("\n\n"));
    gathered.texts.clear();
    Show(Kind::Error, text);
}

void InterceptForTests(Interceptor interceptor)
{
    CurrentInterceptor() = std::move(interceptor);
}

}  // namespace Notices
