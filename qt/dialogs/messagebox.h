#pragma once

struct Message;
class QWidget;

// The layer's message on screen: a modal box with its caption, text, icon and
// an OK button, owned by owner.
namespace MessageBox {

void show(const Message &message, QWidget *owner);

} // namespace MessageBox
