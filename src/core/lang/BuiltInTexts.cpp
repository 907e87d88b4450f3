#include "lang/BuiltInTexts.h"

#include <map>

#include "lang/TLanguages.h"
#include "util/MessageText.h"

namespace kalorina {

namespace {
const std::map<std::string, std::string>& BuiltIn()
{
    static const std::map<std::string, std::string> texts{
        {"IDS_WRONGVALUE", "Wrong value"},
        {"IDS_INPUTRANGE", "%s: enter a number from %s to %s."},
        {"IDS_INPUTRANGEABOVE", "%s: enter a number above %s, up to %s."},
        {"IDS_INPUTRANGEWHOLE", "%s: enter a whole number from %s to %s."},
        {"IDS_PAGENUMBERFIELD", "Page number"},
        {"IDS_DTLOGERROR", "The temperatures must fall from forward to return to room temperature"},
        {"IDS_NUMBEROFPIECES", "pcs"},
        {"IDS_AUTO", "Auto"},
        {"IDS_NEWMANIFOLDITEMCAPTION", "Manifold"},
        {"IDS_XMLPARSERERROR+3", "Floor heating system %s has more than 16 spacings"},
        {"IDS_XMLPARSERERROR+4", "Covering %s has a wrong number of equations"},
        {"IDS_XMLPARSERERROR+10", "Catalogue item without name or path (name: %s, path: %s)"},
        {"IDS_XMLPARSERERROR+11", "Catalogue item without NameBase (name: %s, path: %s)"},
        {"IDS_XMLPARSERERROR+12", "Size without SizeName"},
        {"IDS_XMLPARSERERROR+13", "Covering without SurfaceName"},
        {"IDS_XMLDATEERROR", "Invalid date in the header of item %s"},
        {"IDS_XMLINTEGERERROR", "Invalid integer: %s"},
        {"IDS_XMLFILEERROR", "The catalogue file %s cannot be read"},
        {"IDS_UNKNOWEDTYPE", "The floor heating system is not in the catalogue"},
        {"IDS_UNKNOWEDDISTANCE", "The tube spacing is not offered by the floor heating system"},
        {"IDS_CANNOTINCREASEDISTANCE", "The spacing cannot be made denser"},
        {"IDS_CANNOTDECREASEDISTANCE", "The spacing cannot be made wider"},
        {"IDS_FLOORHEATINGSUMCAPTION", "Total"},
        {"IDS_TEMPERATURESNOTSETTLED", "The field temperatures of the circuit did not settle"},
        {"IDS_YES", "Yes"},
        {"IDS_NO", "No"},
        {"IDS_VERSIONERR", "Version %d is not supported"},
        {"IDS_INVALIDFILE", "The file is not a Kalorina project"},
        {"IDS_UNDO", "Undo"},
        {"IDS_XMLEXTERNALENTITY",
         "The catalogue file '%s' names an external entity, %s; a catalogue reads no other files, and it is left out."},
        {"IDS_XMLINCLUDEOUTSIDE",
         "The catalogue file '%s' includes '%s', which lies outside the catalogue folder; it is not read."},
        {"IDS_XMLSYNTAXERROR", "The catalogue file '%s' is damaged at line %s: %s."},
        {"IDS_XMLSYNTAXNUL", "it holds a zero byte, which no text file has"},
        {"IDS_XMLSYNTAXUTF16",
         "it is written in UTF-16; a catalogue file is written in UTF-8 or in a single-byte code page"},
        {"IDS_XMLSYNTAXUNTERMINATED", "it ends inside a tag, comment or declaration (the file is cut short)"},
        {"IDS_XMLSYNTAXSTRAYLT", "a '<' starts no tag"},
        {"IDS_XMLSYNTAXMISMATCH", "the end tag </%s> closes <%s>, opened at line %s"},
        {"IDS_XMLSYNTAXENDWITHOUTSTART", "the end tag </%s> closes no element"},
        {"IDS_XMLSYNTAXUNCLOSED", "the file ends before <%s>, opened at line %s, is closed (the file is cut short)"},
        {"IDS_XMLSYNTAXNOELEMENT", "it holds no element (the file is empty or cut short)"},
        {"IDS_XMLSYNTAXOUTSIDE", "text stands outside every element"},
        {"IDS_CATALOGUEFOLDERMISSING", "The catalogue folder '%s' does not exist or cannot be read."},
        {"IDS_CATALOGUEFOLDEREMPTY", "The catalogue folder '%s' holds no catalogue file (*.xml)."},
        {"IDS_CATALOGUEITEMIMPLAUSIBLE", "The catalogue file '%s': the item '%s' is left out, as no product has %s."},
        {"IDS_CATALOGUEMACROBUDGET",
         "The catalogue's macros would add more than %s MiB of text; the texts past that keep their macros as "
         "written."},
        {"IDS_CATALOGUEMOREFAILURES", "... and %s more failures."},
        {"IDS_CALCULATIONLOCKED",
         "The device catalogue did not load whole, so nothing is recalculated: the project shows its stored results "
         "and saves them as they are. Modifying rooms and circuits, the design and the project options are off until "
         "the catalogue is repaired and the program started again."},
        {"IDS_CALCULATIONLOCKEDSHORT", "Damaged catalogue: results are not recalculated"},
        {"IDS_IMPLAUSIBLEREFUSED",
         "The project holds values outside what a building can need; nothing is designed, billed or printed from it "
         "until they are corrected:"},
        {"IDS_RESULTNOTFINITE", "%s cannot be computed as a finite number; it is left at 0."},
        {"IDS_CHECKSTOREDVALUE", "%s: %s lies outside what a building can need (%s)."},
        {"IDS_CHECKSTOREDRANGE", "from %s to %s"},
        {"IDS_VALUE_FLOORAREA", "Floor area"},
        {"IDS_VALUE_ROOMTEMPERATURE", "Room temperature"},
        {"IDS_VALUE_HEATDEMAND", "Heat loss"},
        {"IDS_VALUE_RESISTANCE", "Resistance of the covering"},
        {"IDS_VALUE_SPACING", "Tube spacing"},
        {"IDS_VALUE_AREA", "Field area"},
        {"IDS_VALUE_FORWARD", "Forward temperature"},
        {"IDS_VALUE_RETURN", "Return temperature"},
        {"IDS_VALUE_ZONETYPE", "Zone"},
        {"IDS_VALUE_SPECIFICOUTPUT", "Specific output"},
        {"IDS_VALUE_SURFACETEMP", "Surface temperature"},
        {"IDS_VALUE_POWER", "Output"},
        {"IDS_VALUE_BELOWTEMP", "Temperature below"},
        {"IDS_VALUE_DOWNK", "Downward heat transfer"},
        {"IDS_VALUE_DOWNPOWER", "Downward heat"},
        {"IDS_VALUE_TUBELENGTH", "Tube length"},
        {"IDS_VALUE_TOTALAREA", "Area of the circuit"},
        {"IDS_VALUE_FIELDSTUBELENGTH", "Tube length in the fields"},
        {"IDS_VALUE_EXTRALENGTH", "Extra tube length"},
        {"IDS_VALUE_TUBEDN", "Nominal size of the tube"},
        {"IDS_VALUE_TUBEVALVEDN", "Nominal size of the valve connection"},
        {"IDS_VALUE_DN", "Nominal size of a fitting"},
        {"IDS_VALUE_TUBEPRESSUREDROP", "Pressure drop of the tube"},
        {"IDS_VALUE_VALVEPRESSUREDROP", "Pressure drop of the valve"},
        {"IDS_VALUE_FITTINGSPRESSUREDROP", "Pressure drop of the fittings"},
        {"IDS_VALUE_AVAILABLEPRESSURE", "Available pressure"},
        {"IDS_VALUE_MASSFLOW", "Mass flow"},
        {"IDS_VALUE_VELOCITY", "Flow velocity"},
        {"IDS_VALUE_PRESSUREGRADIENT", "Pressure gradient"},
        {"IDS_VALUE_DYNAMICPRESSURE", "Dynamic pressure"},
        {"IDS_VALUE_CIRCUITPRESSUREDROP", "Pressure drop of the circuit"},
        {"IDS_VALUE_DENSITY", "Density of the medium"},
        {"IDS_VALUE_VISCOSITY", "Viscosity of the medium"},
        {"IDS_VALUE_SPECIFICHEAT", "Specific heat of the medium"},
        {"IDS_VALUE_COUNT", "Number of fittings"},
        {"IDS_VALUE_VALUE", "Value of a fitting"},
        {"IDS_VALUE_PRESSUREDROP", "Pressure drop of a fitting"},
        {"IDS_VALUE_ASSIGNEDPART", "Area the circuit takes"},
        {"IDS_VALUE_INLETTEMP", "Inlet temperature"},
        {"IDS_VALUE_OUTLETTEMP", "Outlet temperature"},
        {"IDS_VALUE_PARTPOWER", "Output of a part"},
        {"IDS_VALUE_PARTTUBELENGTH", "Tube length of a part"},
        {"IDS_VALUE_DESIGNSPREAD", "Design spread"},
        {"IDS_VALUE_MAXSUPPLY", "Highest supply temperature"},
        {"IDS_VALUE_BELOWTEMPERATURE", "Temperature below"},
        {"IDS_VALUE_INSULATIONRESISTANCE", "Resistance of the insulation"},
        {"IDS_VALUE_SLABRESISTANCE", "Resistance of the slab"},
        {"IDS_TREEPRESETTING", "presetting %s"},
        {"IDS_REDO", "Redo"},
        {"IDS_UNDOSTEP", "Undo: %s"},
        {"IDS_REDOSTEP", "Redo: %s"},
        {"IDS_STEPNEWROOM", "New room"},
        {"IDS_STEPNEWROUND", "New circuit"},
        {"IDS_STEPMODIFY", "Change %s"},
        {"IDS_STEPRENAME", "Rename %s"},
        {"IDS_STEPDELETE", "Delete %s"},
        {"IDS_STEPCUT", "Cut %s"},
        {"IDS_STEPPASTE", "Paste"},
        {"IDS_STEPPROJECTOPTIONS", "Change project options"},
        {"IDS_STEPPROJECTDATA", "Change project data"},
        {"IDS_STEPNEWMANIFOLD", "New manifold"},
        {"IDS_STEPMOVEROUND", "Move %s"},
        {"IDS_STEPDESIGN", "Design"},
        {"IDS_DELETEMANIFOLDQUESTION", "Delete manifold %s? Its %s circuits are deleted with it."},
        {"IDS_MANIFOLDNAMETAKEN", "There is already a manifold called '%s'; please choose another name."},
        {"IDS_MANIFOLDSPREADRANGE", "The design spread must lie between %s and %s K."},
        {"IDS_MANIFOLDSUPPLYRANGE",
         "The highest supply temperature must lie between %s and %s \xB0"
         "C."},
        {"IDS_MANIFOLDFIGURES", "%s circuits, %s W"},
        {"IDS_DESIGNNOTHING", "There is nothing to design: no circuit carries heat."},
        {"IDS_DESIGNSUPPLY", "Supply temperature"},
        {"IDS_DESIGNSPREAD", "Design spread"},
        {"IDS_DESIGNROOM", "Design room"},
        {"IDS_LAYERRESISTANCERANGE",
         "The thermal resistance of the insulation and of the slab must lie between 0 and 10 m2K/W."},
        {"IDS_BELOWPROJECT", "as the project's build-up"},
        {"IDS_BELOWKIND+0", "a heated room"},
        {"IDS_BELOWKIND+1", "an unheated room"},
        {"IDS_BELOWKIND+2", "the ground"},
        {"IDS_BELOWKIND+3", "outside air"},
        {"IDS_DESIGNSUPPLEMENTARY", "Supplementary heat"},
        {"IDS_DESIGNCOLSPREAD", "Design spread K"},
        {"IDS_DESIGNPUMPHEAD", "Pressure needed (pump head)"},
        {"IDS_DESIGNTOTALFLOW", "Total flow"},
        {"IDS_DESIGNINDEXCIRCUIT", "Index circuit"},
        {"IDS_DESIGNUNCOVEREDROOMS", "Rooms not covered"},
        {"IDS_DESIGNWARNINGS", "Warnings"},
        {"IDS_DESIGNNOTDESIGNED", "This manifold could not be designed."},
        {"IDS_DESIGNCOLCIRCUIT", "Circuit"},
        {"IDS_DESIGNCOLFORWARD",
         "Forward \xB0"
         "C"},
        {"IDS_DESIGNCOLRETURN",
         "Return \xB0"
         "C"},
        {"IDS_DESIGNCOLFLOW", "Flow kg/h"},
        {"IDS_DESIGNCOLDROP", "Circuit pressure drop Pa"},
        {"IDS_DESIGNCOLPRESET", "Presetting"},
        {"IDS_SOMEITEMSFAILED", "Some rooms or circuits could not be computed; each failure stands with its item."},
        {"IDS_IMPOSSIBLEQUANTITY", "The quantity of '%s' is impossible (damaged data); it is left out of the bill."},
        {"IDS_PIECELISTCYCLE", "The kit %s refers back to itself; its rows were not expanded."},
        {"IDS_MANIFOLDKITCOMBINED",
         "Manifold '%s' (%s circuits): no single kit has that many outlets; counted as kits of %s outlets, mounted "
         "side by side."},
        {"IDS_MANIFOLDKITSPARE",
         "Manifold '%s' (%s circuits): no kit of exactly that size; counted as kits of %s outlets, %s outlet(s) stay "
         "closed."},
        {"IDS_MANIFOLDKITNONE",
         "Manifold '%s' (%s circuits): the catalogue has no manifold kit; the bill lists no manifold for it."},
        {"IDS_DAMAGEDFILE", "The file is damaged or truncated."},
        {"IDS_DAMAGEDROOM", "The file is damaged: room '%s' holds an impossible value (%s)."},
        {"IDS_DAMAGEDROUND", "The file is damaged: circuit '%s' holds an impossible value (%s)."},
        {"IDS_DAMAGEDPROJECT", "The file is damaged: the project holds an impossible value (%s)."},
        {"IDS_DUPLICATEROOMID", "The file is damaged: rooms '%s' and '%s' have the same identifier."},
        {"IDS_CANNOTOPENFILE", "The file \"%s\" cannot be opened: %s"},
        {"IDS_CANNOTREADFILE", "The file \"%s\" cannot be read: %s"},
        {"IDS_CANNOTWRITEFILE", "The file \"%s\" cannot be written: %s"},
        {"IDS_FILEWRITEPROTECTED",
         "the file is write-protected; save it under another name, or lift its protection first."},
        {"IDS_RECOVERYQUESTION", "The program left unsaved changes behind: restore them?"},
        {"IDS_RECOVERYDAMAGED",
         "The recovery file \"%s\" is damaged and cannot be restored: %s The file was not deleted; it is kept aside as "
         "\"%s\"."},
        {"IDS_NOTANINTEGER", "'%s' is not a valid integer value"},
        {"IDS_NOTAFLOAT", "'%s' is not a valid floating point value"},
        {"IDS_RETURNNOTBELOWFORWARD",
         "The return temperature (%s \xB0"
         "C) must be below the forward temperature (%s \xB0"
         "C)."},
        {"IDS_AREAABOVEMAXIMUM", "The area entered (%s m2) is more than the %s m2 available."},
        {"IDS_ROOMWITHOUTAREA", "A room with a heat loss needs a floor area above 0 m2."},
        {"IDS_FIELDSBEYONDROOM", "The room's fields take %s m2, more than its floor area of %s m2."},
        {"IDS_EMPTYITEMNAME", "The name must not be empty."},
        {"IDS_ROOMNAMETAKEN", "There is already a room named '%s'; choose another name."},
        {"IDS_ROUNDNAMETAKEN", "There is already a circuit named '%s'; choose another name."},
    };
    return texts;
}
} // namespace

std::string TextOrBuiltIn(const std::string& id)
{
    std::string text = Languages().GetText(id);
    if (!text.empty())
        return text;
    auto it = BuiltIn().find(id);
    return it != BuiltIn().end() ? it->second : id;
}

namespace {
// The helpers of util (the number parser) look their messages up here.  This file
// is linked whenever the language layer is, since every failure text passes it.
[[maybe_unused]] const bool messageLookupInstalled = (InstallMessageLookup(&TextOrBuiltIn), true);
} // namespace

} // namespace kalorina
