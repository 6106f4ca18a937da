#pragma once
// The frame shared by the consultation windows of symptoms, remedies and
// therapies: the list with its incremental search box, 14 result rows with
// their row buttons, the page buttons and indicator, the note pane, the
// signature pop-up, the zoom that shows a row's name or fourth box in full
// (double click) and the help text. Each window adds its own controls and
// connects the frame to its search logic.
#include <QDialog>
#include <QRect>
#include <QSize>
#include <array>
#include <string>
#include <vector>

class Consultation;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QVBoxLayout;

class TFoConsulta : public QDialog {
    Q_OBJECT
public:
    QListWidget* ListBox1;
    QLineEdit* EdCerca; // the incremental search box
    std::array<QLineEdit*, 14> EdP {};
    std::array<QLineEdit*, 14> EdA {}; // planets (not in the therapy window)
    std::array<QLineEdit*, 14> EdS {}; // signs (not in the therapy window)
    std::array<QLineEdit*, 14> EdD {};
    std::array<QPushButton*, 14> SB {};
    QLineEdit* EdHeading; // what was searched (EdDist, EdRime, EdPato)
    QLineEdit* Edit1;     // page indicator
    QLabel* LabNote;
    QPlainTextEdit* MemoNote;
    QListWidget* list; // signature pop-up
    QTextEdit* MemoZoom; // a row's name or fourth box in full; a click hides it
    QPlainTextEdit* MemoInfo;
    QPushButton *BBseguito, *BBAnticipo, *BitBtn1, *BitBtn2, *BitBtnRitorna;

    // The lines of the list box, as the logic compares them.
    const std::vector<std::string>& Items() const { return items_; }

protected:
    TFoConsulta(const char* objectName, const char* caption, bool signatureBoxes, const char* searchName,
                const char* headingName, const char* fourthName, const char* infoText, QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

    virtual Consultation& Logic() = 0;
    virtual void Search(const std::string& line) = 0;
    virtual void NextPage() = 0;
    virtual void PreviousPage() = 0;
    virtual void RowNote(int k) = 0;
    // Shows the logic's view in the controls.
    virtual void Render();
    // The help toggle; the zoom and pop-up boxes are hidden first.
    virtual void BitBtn2Click();
    // The window's own pop-up boxes hidden (with the frame's, HidePopups).
    virtual void HideZoom() {}

    void FillList(std::vector<std::string> items);
    void ListBox1Click();
    void EdCercaKeyPress(char key);
    void SignaturePopup(QLineEdit* box, bool markPrimary);
    // Double click on a row's name or fourth box: its whole text, wrapped,
    // in MemoZoom over the box.
    void ZoomBox(QLineEdit* box);
    // A new search, a page turn or "Pulisci": the signature pop-up, the
    // zoom and the window's own pop-up boxes no longer belong to the rows.
    void HidePopups();
    // Shows a pop-up box of `size` over `anchor` (top-left corners
    // together), moved left and up as far as needed, and made no larger
    // than the window, so that it lies inside the window and on the screen.
    void PlaceOver(QWidget* popup, const QWidget* anchor, QSize size);
    // Where pop-up boxes may lie: the window's part on its screen, less a
    // small margin.
    QRect PopupArea() const;

    QVBoxLayout* Extras; // column beside the rows for the window's own controls

private:
    std::vector<std::string> items_;
    bool signatureBoxes_;
};
