#include "MontajeExamen.h"

namespace brivo {

using word::IDocumentoWord;
using word::IRangoWord;

namespace {

const QString MarcaParrafo = QStringLiteral("^p");
const QString CualquierLetra = QStringLiteral("^$");
// The first five letters of the comment marker end the answer.
const QString InicioComentario = QStringLiteral("#COME");

// Start of the section that follows marker: the first letter after the end of
// the marker's paragraph; -1 when the marker is not in the text.
int InicioTrasMarcador(IDocumentoWord& documento, const QString& marcador) {
    auto rango = documento.Content();
    const int finTexto = rango->End();
    if (!BuscarTexto(*rango, marcador))
        return -1;
    int p = rango->Start();
    // A search that finds nothing leaves its range, and so p, where it was.
    auto parrafo = documento.Content();
    parrafo->SetRange(p, finTexto);
    BuscarTexto(*parrafo, MarcaParrafo);
    p = parrafo->Start();
    auto letra = documento.Content();
    letra->SetRange(p, finTexto);
    BuscarTexto(*letra, CualquierLetra);
    return letra->Start();
}

// End of a section: the end of the last paragraph mark before the first
// occurrence of the next marker (before the end of the text when there is no
// next marker or it is not found). -1 when that part of the text holds no
// paragraph mark: the section is then absent.
int FinAntesDe(IDocumentoWord& documento, const QString* siguiente) {
    auto rango = documento.Content();
    if (siguiente) {
        auto marca = documento.Content();
        if (BuscarTexto(*marca, *siguiente))
            rango->SetRange(0, marca->Start());
    }
    if (!BuscarTexto(*rango, MarcaParrafo, false))
        return -1;
    return rango->End();
}

// Appends the label (after a paragraph break of its own when asked), a
// paragraph break, and the section when the document has it.
void AnadirBloque(IDocumentoWord& examen, IDocumentoWord& documento, const TSecciones& secciones,
                  int seccion, const QString& etiqueta, bool saltoDelante) {
    auto rango = examen.Content();
    rango->Collapse(word::Direccion::Final);
    if (saltoDelante)
        rango->InsertAfter(QStringLiteral("\r"));
    rango->InsertAfter(etiqueta);
    rango->InsertAfter(QStringLiteral("\r"));
    if (!secciones.Existe(seccion))
        return;
    auto fuente = documento.Content();
    fuente->SetRange(secciones.Inicio[seccion], secciones.Fin[seccion]);
    fuente->Copy();
    rango->Collapse(word::Direccion::Final);
    rango->Paste();
}

} // namespace

const std::array<QString, NumSecciones>& MarcadoresSeccion() {
    static const std::array<QString, NumSecciones> marcadores = {
        QStringLiteral("#PREG"), QStringLiteral("#DESA"), QStringLiteral("#RESP"),
        QStringLiteral("#COMENT")};
    return marcadores;
}

bool BuscarTexto(IRangoWord& rango, const QString& texto, bool adelante) {
    rango.FindExecute(texto, adelante);
    return rango.Found();
}

TSecciones BuscarSecciones(IDocumentoWord& documento) {
    const auto& marcas = MarcadoresSeccion();
    TSecciones s;
    for (int m = SecPregunta; m <= SecComentario; ++m)
        s.Inicio[m] = InicioTrasMarcador(documento, marcas[m]);
    // Without "#PREG" the question starts at the first letter of the text.
    if (s.Inicio[SecPregunta] == -1) {
        auto letra = documento.Content();
        if (BuscarTexto(*letra, CualquierLetra))
            s.Inicio[SecPregunta] = letra->Start();
    }

    // The comment runs to the end of the text.
    if (s.Inicio[SecComentario] != -1)
        s.Fin[SecComentario] = FinAntesDe(documento, nullptr);
    if (s.Inicio[SecRespuesta] != -1)
        s.Fin[SecRespuesta] =
            FinAntesDe(documento, s.Inicio[SecComentario] != -1 ? &InicioComentario : nullptr);
    // The next marker that the document has, from a section on.
    auto siguiente = [&](int desde) -> const QString* {
        for (int m = desde; m <= SecComentario; ++m)
            if (s.Inicio[m] != -1)
                return &marcas[m];
        return nullptr;
    };
    if (s.Inicio[SecDesarrollo] != -1)
        s.Fin[SecDesarrollo] = FinAntesDe(documento, siguiente(SecRespuesta));
    if (s.Inicio[SecPregunta] != -1)
        s.Fin[SecPregunta] = FinAntesDe(documento, siguiente(SecDesarrollo));
    return s;
}

QString EtiquetaPregunta(const QString& texto, int numero) {
    QString etiqueta = texto;
    const qsizetype posicion = etiqueta.indexOf(QLatin1Char('%'));
    if (posicion >= 0)
        etiqueta.replace(posicion, 1, QString::number(numero));
    return etiqueta;
}

int AnadirSecciones(IDocumentoWord& examen, IDocumentoWord& documento, const TSecciones& secciones,
                    const TAjustes& opciones, int n) {
    if (opciones.PonPregunta) {
        const QString etiqueta = EtiquetaPregunta(opciones.TextoPregunta, n);
        ++n;
        AnadirBloque(examen, documento, secciones, SecPregunta, etiqueta, true);
    }
    if (opciones.PonDesarrollo)
        AnadirBloque(examen, documento, secciones, SecDesarrollo, opciones.TextoDesarrollo, false);
    if (opciones.PonRespuesta)
        AnadirBloque(examen, documento, secciones, SecRespuesta, opciones.TextoRespuesta, false);
    if (opciones.PonComentario)
        AnadirBloque(examen, documento, secciones, SecComentario, opciones.TextoComentario, false);
    return n;
}

} // namespace brivo
