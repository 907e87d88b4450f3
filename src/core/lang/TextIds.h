#pragma once
// Every text identifier the program looks up, in one place.  A language that is
// to serve as a complete language defines all of them; the shipped languages are
// tested against this list, and any new GetText key belongs here too.
#include <string>
#include <string_view>
#include <vector>

#include "lang/TLanguage.h"

namespace kalorina {

// Single keys: messages, captions and the report tokens (#ID_...#, #CID_...#).
inline constexpr std::string_view kRequiredTextIds[] = {
    "IDS_PROGRAMTITLE",
    "IDS_XMLERROR",
    "IDS_SAVEQUESTION",
    // Work left behind by a program that was killed: the question at start-up, and
    // the message for a recovery file that cannot be read (its name, the reason and
    // the name it was put aside under).
    "IDS_RECOVERYQUESTION",
    "IDS_RECOVERYDAMAGED",
    "IDS_DELETEROOMQUESTION",
    "IDS_DELETEROUNDQUESTION",
    "IDS_NEWROOMITEMCAPTION",
    "IDS_NEWROUNDITEMCAPTION",
    "IDS_NEWMANIFOLDITEMCAPTION",
    "IDS_ROOMGROUP",
    "IDS_ROUNDGROUP",
    "IDS_MANIFOLDGROUP",
    "IDS_INVALIDFILE",
    "IDS_VERSIONERR",
    "IDS_WRONGVALUE",
    // A typed number refused: the field's name, then the lowest and the highest
    // value allowed (the highest with its unit).
    "IDS_INPUTRANGE",
    "IDS_INPUTRANGEABOVE",
    "IDS_INPUTRANGEWHOLE",
    "IDS_PAGENUMBERFIELD", // the field of the page to go to in the preview
    "IDS_XMLPARSERERROR+3",
    "IDS_XMLPARSERERROR+4",
    "IDS_XMLPARSERERROR+10",
    "IDS_XMLPARSERERROR+11",
    "IDS_XMLPARSERERROR+12",
    "IDS_XMLPARSERERROR+13",
    "IDS_XMLDATEERROR",
    "IDS_XMLINTEGERERROR",
    "IDS_XMLFILEERROR",
    "IDS_XMLEXTERNALENTITY",
    "IDS_XMLINCLUDEOUTSIDE",
    "IDS_DEVICEDBLANGUAGE",
    "IDS_DTLOGERROR",
    "IDS_FLOORHEATINGSUMCAPTION",
    "IDS_UNKNOWEDTYPE",
    "IDS_UNKNOWEDDISTANCE",
    "IDS_CANNOTINCREASEDISTANCE",
    "IDS_CANNOTDECREASEDISTANCE",
    "IDS_NORMALWATER",
    "IDS_YES",
    "IDS_NO",
    "IDS_AUTO",
    "IDS_SERIALCONNECTEDFIELDS",
    "IDS_BIFILAR",
    "IDS_FLOORHEATSTREEROOTNAME",
    "IDS_WANTFLOORHEATINGFIELDDELETE",
    "IDS_TOBIGSURFACE",
    "IDS_RESISTSTREEROOTNAME",
    "IDS_USERDEFINED",
    "IDS_WANTITEMDELETE",
    "IDS_NUMBEROFPIECES",
    "IDS_TEMPERATURESNOTSETTLED",
    "IDS_PIECELISTCYCLE",
    "IDS_BADCLIPBOARDITEM",
    "IDS_USEDMATERIALSTITLE",
    // Design rules.
    "IDS_RETURNNOTBELOWFORWARD",
    "IDS_AREAABOVEMAXIMUM",
    "IDS_ROOMWITHOUTAREA",
    "IDS_FIELDSBEYONDROOM",
    "IDS_EMPTYITEMNAME",
    "IDS_ROOMNAMETAKEN",
    "IDS_ROUNDNAMETAKEN",
    // File and conversion messages.
    "IDS_CANNOTOPENFILE",
    "IDS_CANNOTREADFILE",
    "IDS_CANNOTWRITEFILE",
    "IDS_FILENOTFOUND",
    "IDS_FILEACCESSDENIED",
    "IDS_DISKFULL",
    "IDS_FILEISFOLDER",
    "IDS_READONLYFILESYSTEM",
    "IDS_DAMAGEDFILE",
    "IDS_DAMAGEDROOM",
    "IDS_DAMAGEDROUND",
    "IDS_DAMAGEDPROJECT",
    "IDS_DUPLICATEROOMID",
    "IDS_IMPOSSIBLEQUANTITY",
    "IDS_SOMEITEMSFAILED",
    // The history of changes: the Edit menu and the names of its steps.
    "IDS_UNDO",
    "IDS_REDO",
    "IDS_UNDOSTEP",
    "IDS_REDOSTEP",
    "IDS_STEPNEWROOM",
    "IDS_STEPNEWROUND",
    "IDS_STEPMODIFY",
    "IDS_STEPRENAME",
    "IDS_STEPDELETE",
    "IDS_STEPCUT",
    "IDS_STEPPASTE",
    "IDS_STEPPROJECTOPTIONS",
    "IDS_STEPPROJECTDATA",
    // Manifolds and their design.
    "IDS_STEPNEWMANIFOLD",
    "IDS_STEPMOVEROUND",
    "IDS_STEPDESIGN",
    "IDS_DELETEMANIFOLDQUESTION",
    "IDS_MANIFOLDNAMETAKEN",
    "IDS_MANIFOLDSPREADRANGE",
    "IDS_MANIFOLDSUPPLYRANGE",
    "IDS_MANIFOLDFIGURES",
    "IDS_DESIGNNOTHING",
    "IDS_DESIGNSUPPLY",
    "IDS_DESIGNSPREAD",
    "IDS_DESIGNPUMPHEAD",
    "IDS_DESIGNTOTALFLOW",
    "IDS_DESIGNINDEXCIRCUIT",
    "IDS_DESIGNUNCOVEREDROOMS",
    "IDS_DESIGNWARNINGS",
    "IDS_DESIGNNOTDESIGNED",
    "IDS_DESIGNCOLCIRCUIT",
    "IDS_DESIGNCOLFORWARD",
    "IDS_DESIGNCOLRETURN",
    "IDS_DESIGNROOM",
    "IDS_DESIGNSUPPLEMENTARY",
    "IDS_DESIGNCOLSPREAD",
    "IDS_DESIGNCOLFLOW",
    "IDS_DESIGNCOLDROP",
    "IDS_DESIGNCOLPRESET",
    "IDS_DESIGNNOHEAT",
    "IDS_DESIGNUNCOVERED",
    "IDS_DESIGNSURFACE",
    "IDS_DESIGNSHARED",
    "IDS_DESIGNPARTLY",
    "IDS_DESIGNOVERHEATED",
    "IDS_DESIGNNOISY",
    "IDS_DESIGNNOVALVE",
    "IDS_DESIGNFAILED",
    "IDS_DESIGNNOCIRCUITHEAT",
    "IDS_DESIGNTOOLONG",
    "IDS_NOTANINTEGER",
    "IDS_NOTAFLOAT",
    "IDS_FONTPOINTS",
    // The design check: one sentence per kind of problem, with its numbers.
    "IDS_CHECKROOMSHORTFALL",
    "IDS_CHECKSUPPLEMENTARYHEAT",
    "IDS_CHECKINSULATION",
    "IDS_LAYERRESISTANCERANGE",
    "IDS_BELOWPROJECT",
    "IDS_CHECKSURFACETEMPERATURE",
    "IDS_CHECKUNASSIGNEDAREA",
    "IDS_CHECKFIELDAREABEYONDROOM",
    "IDS_CHECKFIELDOVERASSIGNED",
    "IDS_CHECKROOMWITHOUTFIELDS",
    "IDS_CHECKTUBETOOLONG",
    "IDS_CHECKVELOCITYLOW",
    "IDS_CHECKVELOCITYHIGH",
    "IDS_CHECKMANIFOLDSUPPLY",
    "IDS_CHECKPRESSUREEXCEEDED",
    "IDS_CHECKROOMMISSING",
    "IDS_CHECKFIELDMISSING",
    "IDS_CHECKROUNDTEMPERATURES",
    "IDS_CHECKFIELDTEMPERATURES",
    "IDS_CHECKEMPTYROOMNAME",
    "IDS_CHECKEMPTYROUNDNAME",
    "IDS_CHECKDUPLICATEROOMNAME",
    "IDS_CHECKDUPLICATEROUNDNAME",
    "IDS_CHECKIMPLAUSIBLEAREA",
    "IDS_CHECKIMPLAUSIBLELENGTH",
    "IDS_CHECKIMPLAUSIBLEPRESSURE",
    "IDS_CHECKIMPLAUSIBLETEMPERATURE",
    "IDS_DESIGNHASERRORS",
    "IDS_DESIGNCHECKTITLE",
    "IDS_DESIGNCHECKSEVERITY",
    "IDS_DESIGNCHECKITEM",
    "IDS_DESIGNCHECKPROBLEM",
    "IDS_DESIGNCHECKERROR",
    "IDS_DESIGNCHECKWARNING",
    "IDS_DESIGNCHECKNOPROBLEM",
    "IDS_DESIGNCHECKSUMMARY",
    "IDS_DESIGNCHECKSUMMARY1E",
    "IDS_DESIGNCHECKSUMMARY1W",
    "IDS_DESIGNCHECKSUMMARY1EW",
    "IDS_TREEPRESETTING",
    // Circuits that use a deleted room or field, and references that point nowhere.
    "IDS_DELETEUSEDROOMQUESTION",
    "IDS_DELETEUSEDFIELDSQUESTION",
    "IDS_BROKENREFERENCES",
    "IDS_BROKENREFERENCELINE",
    "IDS_BROKENREFERENCEMARK",
    "IDS_CIRCUITWITHOUTPOWER",
    // Report template tokens.
    "ID_BUILDING",
    "ID_CUSTOMER",
    "ID_PLANER",
    "ID_DATE",
    "ID_SUMOFHEATINGSLOSS",
    "ID_SUPPLEMENTARYHEAT",
    "ID_SUMOFSURFACE",
    "ID_SUMOFFLOORHEATINGPOWER",
    "ID_FLOORHEATING0",
    "ID_FLOORHEATING1",
    "ID_FLOORHEATING2",
    "ID_FLOORHEATING3",
    "ID_FLOORHEATING4",
    "ID_FLOORHEATING6",
    "ID_MEDIUM0",
    "ID_MEDIUM1",
    "ID_HYDRAULIC0",
    "ID_HYDRAULIC1",
    "ID_HYDRAULIC2",
    "ID_HYDRAULIC3",
    "ID_HYDRAULIC4",
    "ID_HYDRAULIC5",
    "ID_HYDRAULIC6",
    "ID_HYDRAULIC7",
    "ID_REPORTTEXTBEFORE1",
    "ID_REPORTTEXTBEFORE2",
    "ID_REPORTTEXTBEFORE3",
    "ID_REPORTTEXTAFTER1",
    "ID_REPORTTEXTAFTER2",
    "ID_NEEDFIRSTCOLUMN",
    // The manifold schedule's header block.
    "ID_MANIFOLD0",
    "ID_MANIFOLD1",
    "ID_MANIFOLD2",
    "ID_MANIFOLD3",
    "ID_MANIFOLD4",
    "ID_MANIFOLD5",
    "ID_MANIFOLD6",
    "ID_MANIFOLD7",
    "ID_MANIFOLD8",
    "ID_MANIFOLD9",
    // The manifold schedule's design figures, pump head in metres of water, its
    // notes and the bill's manifold kits.
    "ID_MANIFOLD10",
    "ID_MANIFOLD11",
    "ID_MANIFOLD12",
    "ID_MANIFOLD13",
    "ID_MANIFOLD14",
    "ID_MANIFOLD15",
    "ID_MANIFOLD16",
    "ID_MANIFOLD17",
    "ID_MANIFOLD18",
    "ID_MANIFOLD19",
    "IDS_MANIFOLDVALVELINE",
    "IDS_MANIFOLDVALVESCALE",
    "IDS_MANIFOLDKITCOMBINED",
    "IDS_MANIFOLDKITSPARE",
    "IDS_MANIFOLDKITNONE",
    // Bill-of-materials RTF header tokens.
    "CID_USEDMATERIAL0",
    "CID_USEDMATERIAL1",
    "CID_USEDMATERIAL2",
    "CID_USEDMATERIAL3",
    "CID_USEDMATERIAL4",
    "CID_USEDMATERIAL5",
    // Printing and export failures.
    "IDS_PRINTJOBFAILED",
    "IDS_NOEXPORTROWS",
    // How the language writes numbers and dates: its decimal sign (one character)
    // and its date form (%Y year, %m month, %d day with two digits, %e day).
    "IDS_DECIMALSEPARATOR",
    "IDS_DATEFORMAT",
};

// Numbered families: base + decimal index, read from 0 up to the first empty text.
struct TextFamily {
    std::string_view base;
    int count; // indexes 0 .. count-1 must be defined
};

inline constexpr TextFamily kRequiredTextFamilies[] = {
    {"IDS_FHZoneType+", 3},             // occupied, peripheral, bathroom zone
    {"IDS_RESISTVALUMODES+", 3},        // kv, zeta, pressure drop (by the fitting's mode)
    {"IDS_DEVICEDBTYPES+", 7},          // six catalogue kinds and "other"; piece lists show under 6
    {"IDS_USEDMATERIALSBIFFTITLE+", 4}, // name, estimate code, quantity, unit
    {"IDS_ROOMFUNCTION+", 12},          // at least this many room functions
    {"IDS_HYDRAULICWARNING+", 7},       // a circuit's hydraulic warning bits, lowest bit first
    {"IDS_MANIFOLDCSVTITLE+", 29},      // the manifold schedule's CSV columns
    {"IDS_BELOWKIND+", 4},              // what lies under a floor: heated, unheated, ground, outside
    {"IDS_REPORTFILENAME+", 6},         // words of proposed file names: the report kinds, then the bill
};

// Every required key, the families expanded.
std::vector<std::string> RequiredTextKeys();

// The required keys that the language leaves undefined or empty, in list order.
std::vector<std::string> MissingTextIds(const TLanguage& language);

} // namespace kalorina
