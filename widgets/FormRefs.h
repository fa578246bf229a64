#pragma once

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;

// The newest instance of each window class, or null while there is none.
// A window sets its reference first thing in its constructor, so the
// reference is valid before its creation handler runs, and clears it when it
// is destroyed.
extern TForm1 *Form1;
extern TForm2 *Form2;
extern TForm3 *Form3;
extern TForm4 *Form4;
extern TForm5 *Form5;
