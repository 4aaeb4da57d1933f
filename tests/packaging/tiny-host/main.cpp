// tiny-host PO VENDOR LINE PART QTY: loads purchase order PO in the order
// control and looks the vendor up in the inquiry control, printing the
// versions of the headers and of both libraries, every box, every form, the
// controls' labels and their properties.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTextStream>
#include <algorithm>
#include <inquiry/UserControl1.h>
#include <inquiry/Version.h>
#include <order/UserControl1.h>
#include <order/Version.h>
#include <qt/MemoryPropertyBag.h>
#include <qt/Presenter.h>
#include <velta/version.h>

namespace {

QTextStream out(stdout);

// Answers every box with its default button and closes every form at once.
class PrintingPresenter : public velta::qt::Presenter {
 public:
  velta::qt::MessageAnswer showMessage(QWidget*, const velta::qt::MessageBox& box) override {
    out << "[box] " << box.title << ": " << QString(box.text).replace(QStringLiteral("\r\n"), QStringLiteral(" / "))
        << Qt::endl;
    return velta::qt::defaultAnswer(box);
  }
  void showForm(QWidget*, QDialog& form) override { out << "[form] " << form.objectName() << Qt::endl; }
};

void printLabels(const char* control, const QWidget& widget) {
  QList<QLabel*> labels = widget.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->objectName() < b->objectName(); });
  for (const QLabel* label : labels) out << control << ' ' << label->objectName() << '=' << label->text() << Qt::endl;
}

void printProperty(const char* control, const char* name, const QVariant& value) {
  out << control << " property " << name << '=' << (velta::qt::isNumberProperty(value) ? "number " : "text ")
      << value.toString() << Qt::endl;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 6) {
    QTextStream(stderr) << "usage: tiny-host PO VENDOR LINE PART QTY\n";
    return 2;
  }
  PrintingPresenter presenter;
  out << "headers " VELTA_VERSION_STRING " order library " << veltaorder::libraryVersionString() << " inquiry library "
      << veltaiq::libraryVersionString()
      << (veltaorder::libraryVersion() == VELTA_VERSION && veltaiq::libraryVersion() == VELTA_VERSION ? " same"
                                                                                                      : " different")
      << Qt::endl;

  veltaorder::UserControl1 order;
  order.setPresenter(&presenter);
  QObject::connect(&order, &veltaorder::UserControl1::controlShutdown, [] { out << "order controlShutdown" << Qt::endl; });
  velta::qt::MemoryPropertyBag bag;
  order.readProperties(bag);
  order.show();
  order.setXPONum(QString::fromLocal8Bit(argv[1]));
  order.setPO();
  printLabels("order", order);
  printProperty("order", "xPONum", order.xPONum());
  printProperty("order", "xPOSuccess", order.xPOSuccess());
  out << "order lastOutcome=" << order.lastOutcome() << Qt::endl;
  order.writeProperties(bag);
  out << "order saved=" << QStringList(bag.values().keys()).join(QLatin1Char(',')) << Qt::endl;

  veltaiq::UserControl1 inquiry;
  inquiry.setPresenter(&presenter);
  QObject::connect(&inquiry, &veltaiq::UserControl1::controlShutdown, [] { out << "inquiry controlShutdown" << Qt::endl; });
  inquiry.initProperties();
  inquiry.setXVendor(QString::fromLocal8Bit(argv[2]).toInt());
  inquiry.setXLine(QString::fromLocal8Bit(argv[3]));
  inquiry.setXPart(QString::fromLocal8Bit(argv[4]));
  inquiry.setXQty(QString::fromLocal8Bit(argv[5]).toInt());
  inquiry.show();
  inquiry.setSearch();
  printLabels("inquiry", inquiry);
  printProperty("inquiry", "xVendor", inquiry.xVendor());
  printProperty("inquiry", "xPart", inquiry.xPart());
  out << "inquiry errText=" << inquiry.errText() << Qt::endl;
  return 0;
}
