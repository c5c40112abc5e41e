#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Label.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace tarvelo;

namespace {

// A dialog with a text, an optional note below it and the usual answers.
class AnswerDialog : public Dialog {
public:
    AnswerDialog() : Dialog(u"frmTest"_s, u"Test"_s)
    {
        text.setBounds(180, 180, 5000, 600);
        note.setBounds(180, 900, 5000, 300);
        ok.setCaption(u"&OK"_s);
        cancel.setCaption(u"&Annuleren"_s);
        placeButtonRow({&ok, &cancel}, &ok, &cancel);
    }
    Label& text = add<Label>(*this, u"lblText"_s);
    Label& note = add<Label>(*this, u"lblNote"_s);
    CommandButton& ok = add<CommandButton>(*this, u"cmdOK"_s);
    CommandButton& cancel = add<CommandButton>(*this, u"cmdCancel"_s);
};

} // namespace

// The answer row is placed once for every dialog: right-aligned under the
// contents, OK before Annuleren, Enter and Escape set, the dialog as large as
// what it shows; a longer caption or a hidden control places it again.
TEST(DialogButtonRow, FollowsTheContentsAndTheCaptions)
{
    AnswerDialog d;
    EXPECT_TRUE(d.ok.isDefault());
    EXPECT_TRUE(d.cancel.isCancel());
    EXPECT_FALSE(d.ok.isCancel());
    EXPECT_EQ(d.cancel.right(), d.text.right()) << "the row ends where the contents end";
    EXPECT_LT(d.ok.right(), d.cancel.left());
    EXPECT_EQ(d.ok.top(), d.cancel.top());
    EXPECT_GT(d.ok.top(), d.note.bottom());
    EXPECT_EQ(d.width(), d.text.right() + 180);
    EXPECT_EQ(d.innerHeight(), d.ok.bottom() + 180);

    const int okWidth = d.ok.width();
    d.ok.setCaption(u"Wijzigen van opslagmap naar database..."_s);
    EXPECT_GT(d.ok.width(), okWidth) << "a longer caption widens its button";
    EXPECT_GE(d.ok.left(), 180) << "and the dialog, when the row no longer fits";
    EXPECT_EQ(d.cancel.right(), d.width() - 180);
    EXPECT_LT(d.ok.right(), d.cancel.left());
    d.ok.setCaption(u"&OK"_s);
    EXPECT_EQ(d.width(), d.text.right() + 180);

    const int rowTop = d.ok.top();
    d.note.setVisible(false);
    d.relayout();
    EXPECT_LT(d.ok.top(), rowTop) << "the note's room is given back";
    EXPECT_GT(d.ok.top(), d.text.bottom());

    d.cancel.setVisible(false);
    EXPECT_EQ(d.ok.right(), d.text.right()) << "a hidden button gives its place to the others";
}
