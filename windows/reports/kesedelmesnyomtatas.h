#pragma once
// The overdue follow-up from the main window: the list of customers with
// overdue items, or the reminder letters, to the printer, the print preview
// or a PDF file, as the operator chooses.
class QWidget;

enum class KesedelmesFajta { Lista, Levelek };

// Opens the report (a statement the database refuses is shown in the error
// box), tells when nobody is overdue, then asks where it goes.
void KesedelmesNyomtat(QWidget* szulo, KesedelmesFajta fajta);
