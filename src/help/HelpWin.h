#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QFrame;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextEdit;
class QUrl;
class TTillwick1;

// The help window: one section of the help text at a time, chosen by whoever asked for help.
// It lives as long as the program; closing it only hides it.
class THelpWin1 : public QDialog
{
    Q_OBJECT

public:
    explicit THelpWin1(TTillwick1 *main);

    // What every Help button does once it has set its request flag: shows the help window
    // without making it modal, creating it first if there is none yet.
    static void showHelp(TTillwick1 *main);

    // How the "About" entry opens its web pages; an empty function restores the desktop's way.
    static void setUrlOpener(std::function<void(const QUrl &)> opener);

    QFrame *ToolBar1 = nullptr;
    QPushButton *PreviousBtn = nullptr;
    QPushButton *NextBtn = nullptr;
    QPushButton *ContentBtn = nullptr;
    QTextEdit *Memo1 = nullptr;
    QListWidget *ListBox1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QStringList Memo2; // the whole help text, one entry a line

    // Fills Memo1 with section 1 to 9 and marks its contents entry, if it has one.
    void ShowSection(int section);
    // The section asked for by the request flags, else that of the main window's tab.
    void ChooseSection();

public slots:
    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormResize();
    void FormClose();
    void PreviousBtnClick();
    void NextBtnClick();
    void ContentBtnClick();
    void Memo1DblClick();
    void ListBox1ItemClick(QListWidgetItem *item);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showEntry(int row);
    void applyMemoLook();

    TTillwick1 *m_main;
    qreal m_memoPointSize = 0;
    QString m_memoSheet;
};
