#include "mainwindow.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Plain digits only, and nothing above the top even while typing: the stock
// validator lets 999 stand below a top of 500 and takes "1,000", which the
// counts are then read as 0 from.
class PlainIntValidator : public QIntValidator
{
public:
    PlainIntValidator(int bottom, int top, QObject *parent)
        : QIntValidator(bottom, top, parent)
    {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        setLocale(c);
    }

    State validate(QString &input, int &pos) const override
    {
        for (const QChar ch : input) {
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return Invalid;
        }
        const State state = QIntValidator::validate(input, pos);
        bool ok = false;
        if (state == Intermediate && input.toLongLong(&ok) > top() && ok)
            return Invalid;
        return state;
    }
};

QFrame *createRule()
{
    QFrame *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    return rule;
}

} // namespace

MainWindow::MainWindow(QWidget * /* parent */)
    : QMainWindow(nullptr)
{
    QGridLayout *mainGrid = new QGridLayout;
    QGridLayout *countGrid = new QGridLayout;

    for (QLineEdit *&square : squareEdits)
        square = new QLineEdit(QStringLiteral("0"));

    QPushButton *addButton = new QPushButton(tr("Add 1"));
    QPushButton *removeButton = new QPushButton(tr("Remove 1"));

    dilutionCombo = new QComboBox;

    cellsPerMlLabel = new QLabel(QStringLiteral("0"));
    QLabel *cellsPerMlCaption = new QLabel(tr("Cells Per ml:"));
    cellsTotalLabel = new QLabel(QStringLiteral("0"));
    QLabel *cellsTotalCaption = new QLabel(tr("Cells Total:"));
    mlNeededLabel = new QLabel(QStringLiteral("0"));
    mlNeededCaption = new QLabel(tr("ml Needed / Gallon Wort:"));
    slurryEdit = new QLineEdit;
    platoEdit = new QLineEdit;
    platoCaption = new QLabel(tr("Degree Plato:"));

    currentSquare = -1;

    QLabel *dilutionCaption = new QLabel(tr("Dilution 1:X"));

    for (const char *dilution : {"10", "100", "1000", "10000", "100000", "1000000"})
        dilutionCombo->addItem(QLatin1String(dilution));

    mainGrid->addWidget(dilutionCaption, 0, 0);
    mainGrid->addWidget(dilutionCombo, 0, 1);
    QLabel *slurryCaption = new QLabel(tr("Slurry Volume (ml)"));
    slurryEdit->setValidator(new PlainIntValidator(0, 10000, this));
    mainGrid->addWidget(slurryCaption, 1, 0);
    mainGrid->addWidget(slurryEdit, 1, 1);
    mainGrid->addWidget(platoCaption, 2, 0);
    mainGrid->addWidget(platoEdit, 2, 1);
    mainGrid->addWidget(createRule(), 3, 0, 1, 4);
    mainGrid->addWidget(cellsPerMlCaption, 4, 0);
    mainGrid->addWidget(cellsPerMlLabel, 4, 1);
    mainGrid->addWidget(cellsTotalCaption, 5, 0);
    mainGrid->addWidget(cellsTotalLabel, 5, 1);
    mainGrid->addWidget(mlNeededCaption, 6, 0);
    mainGrid->addWidget(mlNeededLabel, 6, 1);
    mainGrid->addWidget(createRule(), 7, 0, 1, 4);

    for (int i = 0; i < 9; ++i)
        countGrid->addWidget(squareEdits[i], i / 3, i % 3);
    for (QLineEdit *square : squareEdits)
        square->installEventFilter(this);
    for (QLineEdit *square : squareEdits)
        square->setValidator(new PlainIntValidator(0, 500, this));

    // A plain item, not a child layout: with no parent to take a spacing
    // from, the squares sit edge to edge like the chamber's grid.
    mainGrid->addItem(countGrid, 8, 0, 1, 2);
    mainGrid->addWidget(createRule(), 9, 0, 1, 4);
    mainGrid->addWidget(addButton, 10, 0);
    mainGrid->addWidget(removeButton, 10, 1);

    connect(addButton, SIGNAL(clicked()), this, SLOT(addOne()));
    connect(removeButton, SIGNAL(clicked()), this, SLOT(subOne()));

    QWidget *centralWidget = new QWidget;
    centralWidget->setLayout(mainGrid);
    setCentralWidget(centralWidget);
}

MainWindow::~MainWindow() = default;

bool MainWindow::eventFilter(QObject * /* watched */, QEvent * /* event */)
{
    return false;
}

void MainWindow::doMath(int /* delta */)
{
}

void MainWindow::setcurrentSquare(int /* index */)
{
}

void MainWindow::addOne()
{
}

void MainWindow::subOne()
{
}

void MainWindow::recalculate()
{
}
