// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "fieldguard.h"
#include "plainintvalidator.h"
#include "yeastmath.h"

#include <QComboBox>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

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
    slurryEdit->setValidator(new PlainIntValidator(10000, this));
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

    for (int i = 0; i < NumSquares; ++i)
        countGrid->addWidget(squareEdits[i], i / 3, i % 3);
    // Each field's guard comes first, so that it acts after an event has reached
    // the window's filter and the field alike.
    for (QLineEdit *field : squareEdits)
        new FieldGuard(field);
    new FieldGuard(slurryEdit);
    new FieldGuard(platoEdit);
    for (QLineEdit *square : squareEdits)
        square->installEventFilter(this);
    for (int i = 0; i < NumSquares; ++i) {
        squareValidators[i] = new PlainIntValidator(500, this);
        squareEdits[i]->setValidator(squareValidators[i]);
    }

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

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < NumSquares; ++i) {
            if (watched == squareEdits[i]) {
                setcurrentSquare(i);
                break;
            }
        }
    } else if (event->type() == QEvent::KeyPress) {
        // Arrows step the square last pressed with the mouse, not the one with focus.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up) {
            qDebug() << "lineEdit -> Qt::Key_Up";
            doMath(1);
        } else if (key == Qt::Key_Down) {
            qDebug() << "lineEdit -> Qt::Key_Down";
            doMath(-1);
        }
    }
    return false;
}

void MainWindow::doMath(int delta)
{
    if (currentSquare < 0)
        return;

    if (currentSquare < NumSquares) {
        QLineEdit *square = squareEdits[currentSquare];
        const qint64 count = qint64(square->text().toInt()) + delta;
        if (count >= 0 && count <= std::numeric_limits<int>::max()) {
            // Told first, so that the validator lets the step's own count stand.
            const QString text = QString::number(count);
            squareValidators[currentSquare]->setStepped(text);
            square->setText(text);
        }
    }
    recalculate();
}

void MainWindow::setcurrentSquare(int index)
{
    currentSquare = index;
    qDebug() << "currentSquare = " << currentSquare;
}

void MainWindow::addOne()
{
    doMath(1);
}

void MainWindow::subOne()
{
    doMath(-1);
}

void MainWindow::recalculate()
{
    QList<int> counts;
    for (const QLineEdit *square : squareEdits)
        counts.append(square->text().toInt());
    const YeastMath::Chamber chamber = YeastMath::countedChamber(counts);
    qDebug() << chamber.countSum;

    // Nothing counted means no density at all: show what a fresh window shows.
    if (chamber.volume == 0.0) {
        for (QLabel *label : {cellsPerMlLabel, cellsTotalLabel, mlNeededLabel})
            label->setText(QStringLiteral("0"));
        return;
    }

    const QLocale english(QLocale::English, QLocale::AnyCountry);

    const qint64 dilution = dilutionCombo->currentText().toLongLong();
    const qint64 cellsPerMl = YeastMath::cellsPerMl(chamber, dilution);
    qDebug() << cellsPerMl;
    cellsPerMlLabel->setText(english.toString(cellsPerMl));

    const int slurry = slurryEdit->text().toInt();
    cellsTotalLabel->setText(
            YeastMath::groupedProduct(english, quint64(slurry), quint64(cellsPerMl)));

    const qint64 gravityThousandths = YeastMath::readGravityThousandths(platoEdit->text());
    const qint64 mlNeeded = YeastMath::mlPerGallon(gravityThousandths, cellsPerMl);
    qDebug() << YeastMath::gravityText(gravityThousandths).constData() << " * " << 1000000 << " * "
             << 3800 << " / " << cellsPerMl << " = " << mlNeeded;
    mlNeededLabel->setText(english.toString(mlNeeded));
}
