#include "aboutbox.h"

namespace AboutBox {

void open(DialogPort &dialog)
{
    dialog.focus(okId);
}

void ok(DialogPort &dialog)
{
    dialog.end(true);
}

void cancel(DialogPort &)
{
}

} // namespace AboutBox
