#include "exchange/rs232form.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include <gtest/gtest.h>

#include "exchange/rs232.h"
#include "exchange/rs232_pty.h"
#include "exchange/rs232inout.h"
#include "inspection/methodcontrols.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRed = 0x0000FF;

class SerialFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    nCOM = 1;
    BaudRate = 9600;
    DataBits = 8;
    Parity = 0;
    StopBit = 0;
    ASSERT_TRUE(line.Ready());
    ASSERT_TRUE(line.LinkAs(station.Path("Data/COM3")));
  }
  void TearDown() override {
    form.reset();
    CloseSerialExchange();
  }

  // Opens the window as the method window does (its show handler runs).
  void Show() {
    form = std::make_unique<TRS232_Form>(nullptr);
    form->show();
  }

  uint32_t Lamp() const { return form->SpiaComPlcON->Brush(); }

  TempStation station;
  MessageBoxRecorder boxes;
  PseudoTerminal line;
  std::unique_ptr<TRS232_Form> form;
};

TEST_F(SerialFormTest, ControlsAndCaptions) {
  Show();
  EXPECT_EQ(form->windowTitle(), "PARAMETRI RS232");
  EXPECT_EQ(form->size(), QSize(443, 339));
  EXPECT_EQ(form->SpiaComPlcON->size(), QSize(45, 27));
  EXPECT_EQ(form->ExitButton->text(), "  Ok");
  const char* const names[] = {"Label1",    "Edit1",  "SpiaComPlcON", "Label2",
                               "Edit2",     "Label3", "ComboBox1",    "Label4",
                               "ComboBox2", "Label5", "ComboBox3",    "ExitButton"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    EXPECT_NE(form->findChild<QWidget*>(name), nullptr);
  }
  struct Items {
    QComboBox* box;
    QStringList items;
  } const lists[] = {
      {form->ComboBox1, {"4", "5", "6", "7", "8"}},
      {form->ComboBox2, {"No parity", "Odd parity", "Even parity", "Mark parity", "Space parity"}},
      {form->ComboBox3, {"1 stop bit", "1,5 stop bit", "2 stop bit"}},
  };
  for (const Items& list : lists) {
    SCOPED_TRACE(list.box->objectName().toStdString());
    QStringList shown;
    for (int i = 0; i < list.box->count(); ++i) shown << list.box->itemText(i);
    EXPECT_EQ(shown, list.items);
  }
}

TEST_F(SerialFormTest, ShowingTheWindowReopensThePortWithTheShownSettings) {
  nCOM = 3;
  BaudRate = 19200;
  DataBits = 7;
  Parity = 2;
  StopBit = 2;
  ASSERT_EQ(serialPort, nullptr);  // the method is not serial: no port was opened at start
  Show();
  EXPECT_EQ(form->Edit1->text(), "3");
  EXPECT_EQ(form->Edit2->text(), "19200");
  EXPECT_EQ(form->ComboBox1->currentIndex(), 3);
  EXPECT_EQ(form->ComboBox2->currentIndex(), 2);
  EXPECT_EQ(form->ComboBox3->currentIndex(), 2);
  EXPECT_TRUE(form->ready);
  ASSERT_NE(serialPort, nullptr);
  EXPECT_FALSE(serialPort->HasError());
  EXPECT_EQ(Lamp(), kGreen);
  EXPECT_EQ(station.ErrorLogText(), "");

  // The port stays open after the window closes, whatever the method.
  QTest::mouseClick(form->ExitButton, Qt::LeftButton);
  ASSERT_NE(serialPort, nullptr);
  EXPECT_FALSE(serialPort->HasError());
  EXPECT_EQ(ReadFileBytes(station.Path("Data/rs232par.dat")), Words({3, 19200, 7, 2, 2}));
}

TEST_F(SerialFormTest, EditsReopenThePortAndTheLampTellsTheOutcome) {
  nCOM = 3;
  Show();
  ASSERT_EQ(Lamp(), kGreen);
  RS232* opened = serialPort;

  // An empty edit is no number: its message, a red lamp, the port left as it was.
  form->Edit1->clear();
  EXPECT_EQ(Lamp(), kRed);
  EXPECT_EQ(serialPort, opened);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text.rfind("MTC006: ", 0), 0u);
  EXPECT_EQ(nCOM, 0);

  // A port that does not exist: RS001 and a red lamp.
  QTest::keyClicks(form->Edit1, "9");
  EXPECT_EQ(Lamp(), kRed);
  ASSERT_NE(serialPort, nullptr);
  EXPECT_EQ(serialPort->codice, 1);
  EXPECT_NE(station.ErrorLogText().find("RS001: errore di apertura COM (codice: 1)"),
            std::string::npos);

  // Back to the linked port.
  form->Edit1->setText("3");
  EXPECT_EQ(Lamp(), kGreen);
  EXPECT_FALSE(serialPort->HasError());
  EXPECT_EQ(nCOM, 3);
}

TEST_F(SerialFormTest, TypedTextThatIsNoItemLeavesNoPosition) {
  nCOM = 3;
  Show();
  form->ComboBox1->setEditText("9");
  form->ComboBox2->setEditText("Odd parity");  // an item typed in full is that item
  form->ComboBox3->setEditText("tre");
  EXPECT_EQ(ComboPosition(form->ComboBox1), -1);
  EXPECT_EQ(ComboPosition(form->ComboBox2), 1);
  EXPECT_EQ(ComboPosition(form->ComboBox3), -1);
  // A new choice takes effect only at the next reopening: Ok reopens and saves.
  QTest::mouseClick(form->ExitButton, Qt::LeftButton);
  EXPECT_EQ(DataBits, 3);
  EXPECT_EQ(Parity, 1);
  EXPECT_EQ(StopBit, -1);
  EXPECT_EQ(ReadFileBytes(station.Path("Data/rs232par.dat")), Words({3, 9600, 3, 1, -1}));
  EXPECT_TRUE(serialPort->HasError());  // 3 data bits: RS003
}

TEST_F(SerialFormTest, OkWithoutAPortSavesNothing) {
  nCOM = 3;
  Show();
  delete serialPort;
  serialPort = nullptr;
  QTest::mouseClick(form->ExitButton, Qt::LeftButton);
  EXPECT_EQ(serialPort, nullptr);
  EXPECT_EQ(ReadFileBytes(station.Path("Data/rs232par.dat")), "");
  EXPECT_FALSE(form->ready);
}

}  // namespace
