#pragma once
// Wiring of a button to its form's handler at the window's event boundary:
// a click runs the handler through Guarded (Application.h), so an IoError or
// ConversionError it throws is reported in an Italian message box and
// earlier state stays as it was.
//
//   OnClick(BBsalva, this, &TFoMainArc::BBsalvaClick);
//   OnClick(BBchiudi, this, [this] { close(); });
#include "platform/Application.h"

#include <QAbstractButton>
#include <type_traits>
#include <utility>

template <class Form, class Handler>
void OnClick(QAbstractButton* button, Form* form, Handler handler)
{
    QObject::connect(button, &QAbstractButton::clicked, form, [form, handler] {
        Guarded([form, &handler] {
            if constexpr (std::is_member_function_pointer_v<Handler>)
                (form->*handler)();
            else
                handler();
        });
    });
}
