#include "shell/about_form.hpp"

namespace vadrel {

const char* const TFAcercade::Memo1 =
    "1. Este programa, Vadrel, y su documentación son obra del equipo de Vadrel, que\n"
    "conserva todos los derechos de propiedad intelectual sobre ellos.\n"
    "2. Se concede a la persona o entidad que lo instala el derecho a usarlo, sin\n"
    "límite de puestos ni de tiempo, para preparar la documentación gráfica de\n"
    "parcelas y edificios que se presenta ante el Catastro.\n"
    "3. No está permitido vender el programa, ni distribuirlo modificado presentándolo\n"
    "como obra del equipo de Vadrel.\n"
    "4. El programa se entrega tal cual. El equipo de Vadrel ha puesto cuidado en que\n"
    "las superficies, los centroides y los archivos GML sean correctos, pero no puede\n"
    "garantizar que estén libres de errores ni que el Catastro acepte un archivo\n"
    "concreto.\n"
    "5. El usuario se compromete a revisar las coordenadas, la superficie y la\n"
    "referencia de cada archivo antes de presentarlo, y asume la responsabilidad\n"
    "técnica de los documentos que firma.\n"
    "6. El equipo de Vadrel no responde de los daños que se deriven del uso del\n"
    "programa o de la imposibilidad de usarlo, en la medida en que la ley lo permita.\n"
    "7. Las plantillas GML y los mapas que muestra el programa siguen los formatos y\n"
    "servicios públicos de la Dirección General del Catastro, que no avala este\n"
    "programa.\n"
    "8. Usar el programa supone aceptar este acuerdo.";

}  // namespace vadrel
