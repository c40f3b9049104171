#pragma once

// Tooltips come from language files, which may hold anything: every tooltip
// of the application is shown as plain text, its line breaks kept, however
// much it looks like markup. The widgets keep their tooltip texts unchanged.
namespace PlainToolTips {

// Installs the application-wide filter that shows them; once is enough, more
// calls do nothing. Needs the application object.
void Install();

}  // namespace PlainToolTips
