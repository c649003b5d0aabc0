#include "message_body.h"

#include <X11/StringDefs.h>
#include <X11/Xaw/Command.h>
#include <X11/Xaw/Form.h>
#include <X11/Xaw/Label.h>

#include "button_style.h"

namespace xpicker {

namespace {

Widget createEndButton(const App& app, const char* name, Widget form, Widget above,
                       const std::string& label, int width) {
    Arg args[8];
    Cardinal n = 0;
    XtSetArg(args[n], XtNfromVert, above); ++n;
    XtSetArg(args[n], XtNlabel, label.c_str()); ++n;
    XtSetArg(args[n], XtNbackground, app.colours.background); ++n;
    XtSetArg(args[n], XtNfont, app.fonts.normal); ++n;
    if (width > 0) {
        XtSetArg(args[n], XtNwidth, width); ++n;
    }
    Widget button = XtCreateManagedWidget(name, commandWidgetClass, form, args, n);
    XtOverrideTranslations(button, XtParseTranslationTable(kButtonTranslations));
    return button;
}

void layOut(Widget shell, MessageBody& body) {
    XtRealizeWidget(shell);
    XtUnrealizeWidget(shell);
    Dimension w = 0, h = 0;
    XtVaGetValues(body.form, XtNwidth, &w, XtNheight, &h, nullptr);
    body.width = w;
    body.height = h;
}

}  // namespace

MessageBody buildMessageBody(const App& app, Widget shell, const MessageBodyDesc& desc) {
    MessageBody body;
    body.form = XtVaCreateManagedWidget("Help", formWidgetClass, shell,
                                        XtNbackground, app.colours.background, nullptr);
    Arg args[6];
    Cardinal n = 0;
    XtSetArg(args[n], XtNbackground, app.colours.background); ++n;
    XtSetArg(args[n], XtNlabel, desc.text->c_str()); ++n;
    XtSetArg(args[n], XtNfont, app.fonts.normal); ++n;
    if (desc.greyLabelBorder) {
        XtSetArg(args[n], XtNborderColor, app.colours.background); ++n;
    }
    if (desc.errorColour) {
        XtSetArg(args[n], XtNforeground, app.colours.error); ++n;
    }
    body.label = XtCreateManagedWidget(desc.labelName, labelWidgetClass, body.form, args, n);

    // A stand-in button of natural width lets the form find its size; the
    // real button then spans the form.
    Widget standIn = createEndButton(app, desc.standInName, body.form, body.label, *desc.buttonLabel, 0);
    layOut(shell, body);
    XtDestroyWidget(standIn);

    body.end = createEndButton(app, "end", body.form, body.label, *desc.buttonLabel, body.width - 7);
    XtAddCallback(body.end, XtNcallback, desc.onEnd, desc.closure);
    return body;
}

}  // namespace xpicker
