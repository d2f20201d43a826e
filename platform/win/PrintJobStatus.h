#pragma once
// What the print system answered to the last job this thread handed it.

// TRUE when the print system took the last job sent from this thread; FALSE when it refused it or
// could not be reached.
bool PrintSystemTookLastJob();
