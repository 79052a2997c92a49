#pragma once

class QTableView;

// Sets up a table of the window's docks as a list of rows: whole rows chosen one at a time, never edited,
// no row numbers, and fixed row heights without word wrap, so that tens of thousands of rows stay quick.
void setUpListTable(QTableView& table);
