// vadrel-ayuda: turns the help guide's HTML into the PDF that the windows'
// "Ayuda" button opens. Runs at build time, without a display.

#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Uso: vadrel-ayuda AYUDA.html AYUDA.pdf\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "No se puede leer %s\n", argv[1]);
        return 1;
    }
    const QString html = QString::fromUtf8(in.readAll());

    const QString target = QString::fromLocal8Bit(argv[2]);
    const QString partial = target + ".part";
    {
        QPdfWriter pdf(partial);
        pdf.setTitle("Vadrel · Guía de uso");
        pdf.setCreator("Vadrel");
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                      QPageLayout::Millimeter));
        QTextDocument doc;
        doc.setHtml(html);
        doc.print(&pdf);
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        std::fprintf(stderr, "No se puede escribir %s\n", argv[2]);
        return 1;
    }
    return 0;
}
