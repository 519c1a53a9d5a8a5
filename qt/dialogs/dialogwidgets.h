#pragma once

#include "dialogcontrol.h"
#include "dialogport.h"

#include <span>
#include <vector>

class QAbstractButton;
class QDialog;
class QLineEdit;
class QWidget;

// A dialog's widgets made from the layer's table, placed in dialog units in the
// dialog font, tab order as in the table; and the port through which the layer
// runs the dialog.
class DialogWidgets : public DialogPort
{
public:
    DialogWidgets(QDialog &dialog, const char *title, int width, int height, std::span<const DialogControl> table);

    // The widget made from the table's row.
    QWidget *at(std::size_t row) const { return m_widgets[row]; }
    QWidget *control(int id) const;
    QAbstractButton *button(int id) const;

    std::string text(int id) const override;
    void setText(int id, const std::string &text) override;
    bool checked(int id) const override;
    void setChecked(int id, bool checked) override;
    void enable(int id, bool enabled) override;
    void focus(int id) override;
    void selectAll(int id) override;
    void warn(const Message &message) override;
    void end(bool accepted) override;

private:
    void create(const class DialogUnits &units);
    QLineEdit *field(int id) const;

    QDialog &m_dialog;
    std::span<const DialogControl> m_table;
    std::vector<QWidget *> m_widgets; // by row
};
