#pragma once

class QLabel;
class QObject;
class QString;
class QWidget;

// What a screen reader says for a control: the name the control was given
// (a language file's "AccessibleName"), else the text of the label that names
// it, without its access key marks and a final colon.
namespace AccessibleNames {

// The label names control and is its buddy: its access key, if its text
// marks one with "&" as captions do, moves to control. An editable combo
// box's edit is named with it.
void NameAfter(QLabel* label, QWidget* control);

// The label's text has changed: the control it names follows.
void LabelChanged(const QLabel& label);

// The control's own name; an empty one gives the label's name back.
QString OwnName(const QObject& control);
void SetOwnName(QObject& control, const QString& name);

// A caption as a screen reader should say it: "&&" is one "&", any other "&"
// is dropped, and a final ":" with the blanks around it goes.
QString Spoken(const QString& caption);

}  // namespace AccessibleNames
