#pragma once

#include "jiqiao/TipsBook.h"
#include "jiqiao/TipsView.h"

#include <QDialog>

class BevelPanel;
class ClickLabel;
class FlatButton;
class QLabel;
class QPlainTextEdit;
class QTimer;
class Shape;
class TipListView;

// The tips book's window: the numbered list of tips, the chosen tip in full
// and the panel for writing new ones. The store object of the book holds the
// tip lines that the list shows.
class TForm3 : public QDialog, private TipsView {
    Q_OBJECT

public:
    // The store is "database\yd.zerk" in the folder of the user's files.
    explicit TForm3(QWidget *parent = nullptr);
    // userRoot ends in a separator.
    explicit TForm3(const QString &userRoot, QWidget *parent = nullptr);
    ~TForm3() override;

    const TipsBook &Book() const { return book_; }

    BevelPanel *Panel1;
    BevelPanel *Panel2;
    QLabel *Label1;
    TipListView *ListView1;
    QLabel *Label2;
    QPlainTextEdit *Memo1;
    FlatButton *SpeedButton2;
    FlatButton *SpeedButton3;
    FlatButton *SpeedButton1;
    Shape *Shape2;
    ClickLabel *Label13;
    BevelPanel *Panel3;
    QPlainTextEdit *Memo2;
    QLabel *Label3;
    FlatButton *SpeedButton5;
    FlatButton *SpeedButton6;
    FlatButton *SpeedButton4;
    QTimer *Timer1;  // saves the tip again while another copy saves the store

    // Leaving goes through "谢谢，再见", also when the system asks the
    // window to close.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildControls();
    void BuildAddPanel();
    void FormCreate();
    void ListView1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    // Whether the character goes on into the add box.
    bool Memo2KeyPress(QChar key);
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton4Click();
    void SpeedButton1Click();
    void Label13Click();
    void Timer1Timer();

    // TipsView
    int selectedRow() const override;
    void setDetailText(const QString &text) override;
    QString newTipText() const override;
    void clearNewTipText() override;
    bool addPanelShown() const override;
    void setAddPanelShown(bool shown) override;
    void setSaveEnabled(bool enabled) override;
    void saveTipLater() override;
    void showMessage(const QString &text) override;
    void showError(const QString &text) override;
    void closeWindow() override;
    void minimiseApplication() override;

    TipsBook book_;
};
