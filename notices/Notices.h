#pragma once

#include <functional>

class QString;

// The two kinds of message box the program shows. Both are modal, centred on
// the screen, titled "Numbrook" and closed by their one OK button, Enter or
// Escape.
namespace Notices {

enum class Kind { Notice, Error };

// A notice: the text alone, no icon.
void ShowNotice(const QString &text);

// The general error box: an error icon and the text, given a closing full
// stop where its last character calls for one.
void ShowErrorBox(const QString &text);

// While one lives, error boxes wait, and when the last one ends they are
// shown as one box, each text a paragraph of its own: a window that closes
// on a full disk reports it once, not once for every file it kept.
class OneErrorBox {
public:
    OneErrorBox();
    ~OneErrorBox();
    OneErrorBox(const OneErrorBox &) = delete;
    OneErrorBox &operator=(const OneErrorBox &) = delete;
};

// Tests take the boxes instead of showing them; an empty function restores
// the real boxes.
using Interceptor = std::function<void(Kind, const QString &)>;
void InterceptForTests(Interceptor interceptor);

}  // namespace Notices
