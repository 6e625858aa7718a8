<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name></name>
    <message id="1000">
        <source>Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>Zentaro</translation>
    </message>
    <message id="1002">
        <source>&amp;File</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;File</translation>
    </message>
    <message id="1004">
        <source>&amp;New model</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;New model</translation>
    </message>
    <message id="1005">
        <source>Starts a new, empty model</source>
        <extracomment>Main window</extracomment>
        <translation>Starts a new, empty model</translation>
    </message>
    <message id="1006">
        <source>&amp;Open model...</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Open model...</translation>
    </message>
    <message id="1007">
        <source>Opens a model file</source>
        <extracomment>Main window</extracomment>
        <translation>Opens a model file</translation>
    </message>
    <message id="1008">
        <source>Open &amp;library...</source>
        <extracomment>Main window</extracomment>
        <translation>Open &amp;library...</translation>
    </message>
    <message id="1009">
        <source>Adds a library file to the model</source>
        <extracomment>Main window</extracomment>
        <translation>Adds a library file to the model</translation>
    </message>
    <message id="1010">
        <source>&amp;Save model</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Save model</translation>
    </message>
    <message id="1011">
        <source>Saves the model under its name</source>
        <extracomment>Main window</extracomment>
        <translation>Saves the model under its name</translation>
    </message>
    <message id="1012">
        <source>Open s&amp;cript...</source>
        <extracomment>Main window</extracomment>
        <translation>Open s&amp;cript...</translation>
    </message>
    <message id="1013">
        <source>Opens a VexScript file in the editor</source>
        <extracomment>Main window</extracomment>
        <translation>Opens a VexScript file in the editor</translation>
    </message>
    <message id="1014">
        <source>E&amp;xit</source>
        <extracomment>Main window</extracomment>
        <translation>E&amp;xit</translation>
    </message>
    <message id="1015">
        <source>Ends Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>Ends Zentaro</translation>
    </message>
    <message id="1020">
        <source>&amp;Window</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Window</translation>
    </message>
    <message id="1022">
        <source>&amp;Trace window</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Trace window</translation>
    </message>
    <message id="1023">
        <source>Shows the trace messages</source>
        <extracomment>Main window</extracomment>
        <translation>Shows the trace messages</translation>
    </message>
    <message id="1024">
        <source>&amp;Error window</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Error window</translation>
    </message>
    <message id="1025">
        <source>Shows the error messages</source>
        <extracomment>Main window</extracomment>
        <translation>Shows the error messages</translation>
    </message>
    <message id="1030">
        <source>&amp;Help</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Help</translation>
    </message>
    <message id="1032">
        <source>&amp;Word reference</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Word reference</translation>
    </message>
    <message id="1033">
        <source>Describes every VexScript word</source>
        <extracomment>Main window</extracomment>
        <translation>Describes every VexScript word</translation>
    </message>
    <message id="1034">
        <source>&amp;About Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;About Zentaro</translation>
    </message>
    <message id="1035">
        <source>Shows the version of Zentaro</source>
        <extracomment>Main window</extracomment>
        <translation>Shows the version of Zentaro</translation>
    </message>
    <message id="1040">
        <source>Model atoms</source>
        <extracomment>Main window</extracomment>
        <translation>Model atoms</translation>
    </message>
    <message id="1042">
        <source>No model is open.</source>
        <extracomment>Main window</extracomment>
        <translation>No model is open.</translation>
    </message>
    <message id="1044">
        <source>Ne&amp;w script</source>
        <extracomment>Main window</extracomment>
        <translation>Ne&amp;w script</translation>
    </message>
    <message id="1045">
        <source>Empties the editor for a new script</source>
        <extracomment>Main window</extracomment>
        <translation>Empties the editor for a new script</translation>
    </message>
    <message id="1046">
        <source>Save scrip&amp;t</source>
        <extracomment>Main window</extracomment>
        <translation>Save scrip&amp;t</translation>
    </message>
    <message id="1047">
        <source>Saves the script in the editor to its file</source>
        <extracomment>Main window</extracomment>
        <translation>Saves the script in the editor to its file</translation>
    </message>
    <message id="1048">
        <source>Save script &amp;as...</source>
        <extracomment>Main window</extracomment>
        <translation>Save script &amp;as...</translation>
    </message>
    <message id="1049">
        <source>Saves the script in the editor to a file of another name</source>
        <extracomment>Main window</extracomment>
        <translation>Saves the script in the editor to a file of another name</translation>
    </message>
    <message id="1050">
        <source>&amp;Script</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Script</translation>
    </message>
    <message id="1052">
        <source>&amp;Run</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Run</translation>
    </message>
    <message id="1053">
        <source>Runs the script statement by statement</source>
        <extracomment>Main window</extracomment>
        <translation>Runs the script statement by statement</translation>
    </message>
    <message id="1054">
        <source>&amp;Check syntax</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Check syntax</translation>
    </message>
    <message id="1055">
        <source>Compiles every statement and selects the first that does not compile</source>
        <extracomment>Main window</extracomment>
        <translation>Compiles every statement and selects the first that does not compile</translation>
    </message>
    <message id="1056">
        <source>S&amp;top</source>
        <extracomment>Main window</extracomment>
        <translation>S&amp;top</translation>
    </message>
    <message id="1057">
        <source>Ends the run that goes; with debugging on, pauses it in the debugger</source>
        <extracomment>Main window</extracomment>
        <translation>Ends the run that goes; with debugging on, pauses it in the debugger</translation>
    </message>
    <message id="1058">
        <source>Stop at &amp;first error</source>
        <extracomment>Main window</extracomment>
        <translation>Stop at &amp;first error</translation>
    </message>
    <message id="1059">
        <source>The first error a run reports ends the whole run; off, an error inside a word's body or an evaluated text gives 0 there and the run goes on</source>
        <extracomment>Main window</extracomment>
        <translation>The first error a run reports ends the whole run; off, an error inside a word's body or an evaluated text gives 0 there and the run goes on</translation>
    </message>
    <message id="1100">
        <source>Cannot open %1: %2</source>
        <extracomment>Main window messages</extracomment>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message id="1101">
        <source>Cannot read %1: %2</source>
        <extracomment>Main window messages</extracomment>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message id="1102">
        <source>%1 - Zentaro</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 - Zentaro</translation>
    </message>
    <message id="1103">
        <source>Open Script</source>
        <extracomment>Main window messages</extracomment>
        <translation>Open Script</translation>
    </message>
    <message id="1104">
        <source>VexScript files (*.vex);;All files (*)</source>
        <extracomment>Main window messages</extracomment>
        <translation>VexScript files (*.vex);;All files (*)</translation>
    </message>
    <message id="1105">
        <source>About Zentaro</source>
        <extracomment>Main window messages</extracomment>
        <translation>About Zentaro</translation>
    </message>
    <message id="1106">
        <source>Zentaro %1
Script editor and debugger for VexScript.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Zentaro %1
Script editor and debugger for VexScript.</translation>
    </message>
    <message id="1107">
        <source>Ready</source>
        <extracomment>Main window messages</extracomment>
        <translation>Ready</translation>
    </message>
    <message id="1108">
        <source>Error</source>
        <extracomment>Main window messages</extracomment>
        <translation>Error</translation>
    </message>
    <message id="1109">
        <source>Open Model</source>
        <extracomment>Main window messages</extracomment>
        <translation>Open Model</translation>
    </message>
    <message id="1110">
        <source>Open Library</source>
        <extracomment>Main window messages</extracomment>
        <translation>Open Library</translation>
    </message>
    <message id="1111">
        <source>Save Model As</source>
        <extracomment>Main window messages</extracomment>
        <translation>Save Model As</translation>
    </message>
    <message id="1112">
        <source>Model: %1</source>
        <extracomment>Main window messages</extracomment>
        <translation>Model: %1</translation>
    </message>
    <message id="1113">
        <source>Model: %1 (%2)</source>
        <extracomment>Main window messages</extracomment>
        <translation>Model: %1 (%2)</translation>
    </message>
    <message id="1114">
        <source>Time: %1</source>
        <extracomment>Main window messages</extracomment>
        <translation>Time: %1</translation>
    </message>
    <message id="1115">
        <source>Discard the model "%1" and start a new one? What was not saved is lost.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Discard the model "%1" and start a new one? What was not saved is lost.</translation>
    </message>
    <message id="1116">
        <source>New model started</source>
        <extracomment>Main window messages</extracomment>
        <translation>New model started</translation>
    </message>
    <message id="1117">
        <source>Model %1 opened</source>
        <extracomment>Main window messages</extracomment>
        <translation>Model %1 opened</translation>
    </message>
    <message id="1118">
        <source>Library %1 opened</source>
        <extracomment>Main window messages</extracomment>
        <translation>Library %1 opened</translation>
    </message>
    <message id="1119">
        <source>Model saved to %1</source>
        <extracomment>Main window messages</extracomment>
        <translation>Model saved to %1</translation>
    </message>
    <message id="1120">
        <source>%1 could not be read; the model stays as it was. The error window lists why.</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 could not be read; the model stays as it was. The error window lists why.</translation>
    </message>
    <message id="1121">
        <source>%1 could not be read; nothing of it was added. The error window lists why.</source>
        <extracomment>Main window messages</extracomment>
        <translation>%1 could not be read; nothing of it was added. The error window lists why.</translation>
    </message>
    <message id="1122">
        <source>The model was not saved. The error window lists why.</source>
        <extracomment>Main window messages</extracomment>
        <translation>The model was not saved. The error window lists why.</translation>
    </message>
    <message id="1123">
        <source>Word Reference</source>
        <extracomment>Main window messages</extracomment>
        <translation>Word Reference</translation>
    </message>
    <message id="1124">
        <source>The script %1 has changed. Save the changes?</source>
        <extracomment>Main window</extracomment>
        <translation>The script %1 has changed. Save the changes?</translation>
    </message>
    <message id="1125">
        <source>Untitled</source>
        <extracomment>Main window</extracomment>
        <translation>Untitled</translation>
    </message>
    <message id="1126">
        <source>Save Script As</source>
        <extracomment>Main window</extracomment>
        <translation>Save Script As</translation>
    </message>
    <message id="1127">
        <source>Script saved to %1</source>
        <extracomment>Main window</extracomment>
        <translation>Script saved to %1</translation>
    </message>
    <message id="1128">
        <source>Result: %1</source>
        <extracomment>Main window</extracomment>
        <translation>Result: %1</translation>
    </message>
    <message id="1129">
        <source>The run reported errors; the error window lists them.</source>
        <extracomment>Main window</extracomment>
        <translation>The run reported errors; the error window lists them.</translation>
    </message>
    <message id="1130">
        <source>Discard the model "%1" and quit? What was not saved is lost.</source>
        <extracomment>Main window messages</extracomment>
        <translation>Discard the model "%1" and quit? What was not saved is lost.</translation>
    </message>
    <message id="1131">
        <source>The automation call was aborted.</source>
        <extracomment>Main window messages</extracomment>
        <translation>The automation call was aborted.</translation>
    </message>
    <message id="1132">
        <source>The automation call was stopped after its time limit of %1 ms.</source>
        <extracomment>Main window messages</extracomment>
        <translation>The automation call was stopped after its time limit of %1 ms.</translation>
    </message>
    <message id="1133">
        <source>the name holds characters that script texts (Windows-1252) cannot hold</source>
        <extracomment>Main window messages</extracomment>
        <translation>the name holds characters that script texts (Windows-1252) cannot hold</translation>
    </message>
    <message id="1134">
        <source>Cannot save %1: %2</source>
        <extracomment>Main window messages</extracomment>
        <translation>Cannot save %1: %2</translation>
    </message>
    <message id="1135">
        <source>The statement in line %1 does not compile; the error window lists why.</source>
        <extracomment>Main window</extracomment>
        <translation>The statement in line %1 does not compile; the error window lists why.</translation>
    </message>
    <message id="1136">
        <source>Line %1 has %2 characters; only the first %3 of a line are coloured.</source>
        <extracomment>Main window</extracomment>
        <translation>Line %1 has %2 characters; only the first %3 of a line are coloured.</translation>
    </message>
    <message id="1137">
        <source>The script holds no statement.</source>
        <extracomment>Main window</extracomment>
        <translation>The script holds no statement.</translation>
    </message>
    <message id="1138">
        <source>There is no runtime to run the script in.</source>
        <extracomment>Main window</extracomment>
        <translation>There is no runtime to run the script in.</translation>
    </message>
    <message id="1139">
        <source>A run is going on; stop it first (Script > Stop).</source>
        <extracomment>Main window messages</extracomment>
        <translation>A run is going on; stop it first (Script > Stop).</translation>
    </message>
    <message id="1140">
        <source>A run is going on in Zentaro; try again when it has ended.</source>
        <extracomment>Main window messages</extracomment>
        <translation>A run is going on in Zentaro; try again when it has ended.</translation>
    </message>
    <message id="1141">
        <source>A run is going on. Stop it and quit?</source>
        <extracomment>Main window messages</extracomment>
        <translation>A run is going on. Stop it and quit?</translation>
    </message>
    <message id="1142">
        <source>The run was stopped.</source>
        <extracomment>Main window messages</extracomment>
        <translation>The run was stopped.</translation>
    </message>
    <message id="1143">
        <source>Running...</source>
        <extracomment>Main window messages</extracomment>
        <translation>Running...</translation>
    </message>
    <message id="1144">
        <source>Time %1 of %2 - %3 events/s - %4 s</source>
        <extracomment>Main window messages</extracomment>
        <translation>Time %1 of %2 - %3 events/s - %4 s</translation>
    </message>
    <message id="2219">
        <source>&amp;Stay On Top</source>
        <extracomment>Word overview</extracomment>
        <translation>&amp;Stay On Top</translation>
    </message>
    <message id="2220">
        <source>Keeps the window above the other windows</source>
        <extracomment>Word overview</extracomment>
        <translation>Keeps the window above the other windows</translation>
    </message>
    <message id="2608">
        <source>(no atom)</source>
        <extracomment>Debugger</extracomment>
        <translation>(no atom)</translation>
    </message>
    <message id="2609">
        <source>(none)</source>
        <extracomment>Debugger</extracomment>
        <translation>(none)</translation>
    </message>
    <message id="2904">
        <source>E&amp;xecute</source>
        <extracomment>Script editor</extracomment>
        <translation>E&amp;xecute</translation>
    </message>
    <message id="3001">
        <source>User</source>
        <extracomment>Runtime messages</extracomment>
        <translation>User</translation>
    </message>
    <message id="3002">
        <source>Cannot redefine the built-in word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Cannot redefine the built-in word</translation>
    </message>
    <message id="3003">
        <source>as a user-defined word.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>as a user-defined word.</translation>
    </message>
    <message id="3004">
        <source>Cannot register the word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Cannot register the word</translation>
    </message>
    <message id="3005">
        <source>in the category</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in the category</translation>
    </message>
    <message id="3006">
        <source>because no such category exists.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>because no such category exists.</translation>
    </message>
    <message id="3007">
        <source>Warning: the name</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Warning: the name</translation>
    </message>
    <message id="3008">
        <source>is also a word; the attribute is used.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>is also a word; the attribute is used.</translation>
    </message>
    <message id="3009">
        <source>Unknown word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Unknown word</translation>
    </message>
    <message id="3010">
        <source>in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in:</translation>
    </message>
    <message id="3011">
        <source>Too many arguments (more than 255) for</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Too many arguments (more than 255) for</translation>
    </message>
    <message id="3012">
        <source>in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in:</translation>
    </message>
    <message id="3013">
        <source>argument</source>
        <extracomment>Runtime messages</extracomment>
        <translation>argument</translation>
    </message>
    <message id="3014">
        <source>arguments</source>
        <extracomment>Runtime messages</extracomment>
        <translation>arguments</translation>
    </message>
    <message id="3015">
        <source>expected</source>
        <extracomment>Runtime messages</extracomment>
        <translation>expected</translation>
    </message>
    <message id="3016">
        <source>or more</source>
        <extracomment>Runtime messages</extracomment>
        <translation>or more</translation>
    </message>
    <message id="3017">
        <source>at most</source>
        <extracomment>Runtime messages</extracomment>
        <translation>at most</translation>
    </message>
    <message id="3018">
        <source>The word</source>
        <extracomment>Runtime messages</extracomment>
        <translation>The word</translation>
    </message>
    <message id="3019">
        <source>was given</source>
        <extracomment>Runtime messages</extracomment>
        <translation>was given</translation>
    </message>
    <message id="3020">
        <source>in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>in:</translation>
    </message>
    <message id="3021">
        <source>Error in</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Error in</translation>
    </message>
    <message id="3022">
        <source>the operation could not be completed.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>the operation could not be completed.</translation>
    </message>
    <message id="3023">
        <source>Error in</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Error in</translation>
    </message>
    <message id="3024">
        <source>An error occurred while reporting an error:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>An error occurred while reporting an error:</translation>
    </message>
    <message id="3030">
        <source>Object</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Object</translation>
    </message>
    <message id="3031">
        <source>ID </source>
        <extracomment>Runtime messages</extracomment>
        <translation>ID </translation>
    </message>
    <message id="3034">
        <source>The run has been interrupted.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>The run has been interrupted.</translation>
    </message>
    <message id="3035">
        <source>Do you want to stop it?</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Do you want to stop it?</translation>
    </message>
    <message id="3036">
        <source>The run has been interrupted.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>The run has been interrupted.</translation>
    </message>
    <message id="3037">
        <source>Yes: debug it step by step. No: stop it.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Yes: debug it step by step. No: stop it.</translation>
    </message>
    <message id="3038">
        <source>Cancel: let it go on.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Cancel: let it go on.</translation>
    </message>
    <message id="3039">
        <source>A word needs a name.</source>
        <extracomment>Runtime messages</extracomment>
        <translation>A word needs a name.</translation>
    </message>
    <message id="3040">
        <source>Expression nested too deeply (more than 500 levels) in:</source>
        <extracomment>Runtime messages</extracomment>
        <translation>Expression nested too deeply (more than 500 levels) in:</translation>
    </message>
    <message id="3902">
        <source>VexScript files (*.vex);;All files (*)</source>
        <extracomment>Script editor</extracomment>
        <translation>VexScript files (*.vex);;All files (*)</translation>
    </message>
    <message id="3903">
        <source>Text files (*.txt);;All files (*)</source>
        <extracomment>Script editor</extracomment>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message id="3904">
        <source>The syntax is correct.</source>
        <extracomment>Script editor</extracomment>
        <translation>The syntax is correct.</translation>
    </message>
    <message id="3905">
        <source>The syntax check found errors; the error window lists them.</source>
        <extracomment>Script editor</extracomment>
        <translation>The syntax check found errors; the error window lists them.</translation>
    </message>
    <message id="3906">
        <source>This word has no example.</source>
        <extracomment>Script editor</extracomment>
        <translation>This word has no example.</translation>
    </message>
    <message id="3907">
        <source>There is no statement to check.</source>
        <extracomment>Script editor</extracomment>
        <translation>There is no statement to check.</translation>
    </message>
    <message id="3908">
        <source>Cu&amp;t</source>
        <extracomment>Script editor</extracomment>
        <translation>Cu&amp;t</translation>
    </message>
    <message id="3910">
        <source>&amp;Copy</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Copy</translation>
    </message>
    <message id="3912">
        <source>&amp;Paste</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Paste</translation>
    </message>
    <message id="3918">
        <source>Word &amp;overview</source>
        <extracomment>Script editor</extracomment>
        <translation>Word &amp;overview</translation>
    </message>
    <message id="3920">
        <source>&amp;Look up word</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Look up word</translation>
    </message>
    <message id="3922">
        <source>Pre&amp;vious word</source>
        <extracomment>Script editor</extracomment>
        <translation>Pre&amp;vious word</translation>
    </message>
    <message id="3924">
        <source>&amp;Next word</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Next word</translation>
    </message>
    <message id="3926">
        <source>Insert e&amp;xample</source>
        <extracomment>Script editor</extracomment>
        <translation>Insert e&amp;xample</translation>
    </message>
    <message id="3928">
        <source>&amp;Syntax check</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Syntax check</translation>
    </message>
    <message id="3932">
        <source>Syntax &amp;tree</source>
        <extracomment>Script editor</extracomment>
        <translation>Syntax &amp;tree</translation>
    </message>
    <message id="3936">
        <source>Select &amp;all</source>
        <extracomment>Script editor</extracomment>
        <translation>Select &amp;all</translation>
    </message>
    <message id="3938">
        <source>&amp;Replace...</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Replace...</translation>
    </message>
    <message id="3942">
        <source>&amp;Print...</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Print...</translation>
    </message>
    <message id="3944">
        <source>Save &amp;as...</source>
        <extracomment>Script editor</extracomment>
        <translation>Save &amp;as...</translation>
    </message>
    <message id="3946">
        <source>&amp;Open...</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Open...</translation>
    </message>
    <message id="3948">
        <source>&amp;Undo</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Undo</translation>
    </message>
    <message id="3950">
        <source>&amp;Redo</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Redo</translation>
    </message>
    <message id="3952">
        <source>&amp;Help</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Help</translation>
    </message>
    <message id="3954">
        <source>&amp;Depth colours on/off</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Depth colours on/off</translation>
    </message>
    <message id="3956">
        <source>Paste &amp;history</source>
        <extracomment>Script editor</extracomment>
        <translation>Paste &amp;history</translation>
    </message>
    <message id="3958">
        <source>&amp;Find...</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Find...</translation>
    </message>
    <message id="3960">
        <source>Show &amp;trace window</source>
        <extracomment>Script editor</extracomment>
        <translation>Show &amp;trace window</translation>
    </message>
    <message id="3962">
        <source>Find &amp;next</source>
        <extracomment>Script editor</extracomment>
        <translation>Find &amp;next</translation>
    </message>
    <message id="3964">
        <source>&amp;Colouring on/off</source>
        <extracomment>Script editor</extracomment>
        <translation>&amp;Colouring on/off</translation>
    </message>
    <message id="3970">
        <source>Find</source>
        <extracomment>Find dialog</extracomment>
        <translation>Find</translation>
    </message>
    <message id="3972">
        <source>Replace</source>
        <extracomment>Script editor</extracomment>
        <translation>Replace</translation>
    </message>
    <message id="3974">
        <source>Fi&amp;nd what:</source>
        <extracomment>Find dialog</extracomment>
        <translation>Fi&amp;nd what:</translation>
    </message>
    <message id="3975">
        <source>Re&amp;place with:</source>
        <extracomment>Find dialog</extracomment>
        <translation>Re&amp;place with:</translation>
    </message>
    <message id="3976">
        <source>Match &amp;case</source>
        <extracomment>Find dialog</extracomment>
        <translation>Match &amp;case</translation>
    </message>
    <message id="3978">
        <source>&amp;Find Next</source>
        <extracomment>Find dialog</extracomment>
        <translation>&amp;Find Next</translation>
    </message>
    <message id="3980">
        <source>&amp;Replace</source>
        <extracomment>Find dialog</extracomment>
        <translation>&amp;Replace</translation>
    </message>
    <message id="3982">
        <source>Replace &amp;All</source>
        <extracomment>Find dialog</extracomment>
        <translation>Replace &amp;All</translation>
    </message>
    <message id="3984">
        <source>Cancel</source>
        <extracomment>Find dialog</extracomment>
        <translation>Cancel</translation>
    </message>
    <message id="3986">
        <source>Print to a PDF file</source>
        <extracomment>Script editor</extracomment>
        <translation>Print to a PDF file</translation>
    </message>
    <message id="3988">
        <source>PDF files (*.pdf)</source>
        <extracomment>Script editor</extracomment>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message id="4302">
        <source>VexScript</source>
        <extracomment>Word overview</extracomment>
        <translation>VexScript</translation>
    </message>
    <message id="4304">
        <source>VexScript</source>
        <extracomment>Word overview</extracomment>
        <translation>VexScript</translation>
    </message>
    <message id="4305">
        <source>Category</source>
        <extracomment>Word overview</extracomment>
        <translation>Category</translation>
    </message>
    <message id="4306">
        <source>Creator</source>
        <extracomment>Word overview</extracomment>
        <translation>Creator</translation>
    </message>
    <message id="4307">
        <source>Update</source>
        <extracomment>Word overview</extracomment>
        <translation>Update</translation>
    </message>
    <message id="4308">
        <source>Syntax</source>
        <extracomment>Word overview</extracomment>
        <translation>Syntax</translation>
    </message>
    <message id="4309">
        <source>Example</source>
        <extracomment>Word overview</extracomment>
        <translation>Example</translation>
    </message>
    <message id="4310">
        <source>All categories</source>
        <extracomment>Word overview</extracomment>
        <translation>All categories</translation>
    </message>
    <message id="4311">
        <source>All creators</source>
        <extracomment>Word overview</extracomment>
        <translation>All creators</translation>
    </message>
    <message id="5102">
        <source>VexScript</source>
        <extracomment>Syntax tree window</extracomment>
        <translation>VexScript</translation>
    </message>
    <message id="5108">
        <source>Syntax error</source>
        <extracomment>Syntax tree window</extracomment>
        <translation>Syntax error</translation>
    </message>
    <message id="5110">
        <source>... %1 more statements, not shown</source>
        <extracomment>Syntax tree window</extracomment>
        <translation>... %1 more statements, not shown</translation>
    </message>
    <message id="5130">
        <source>VexScript Help</source>
        <extracomment>Help window</extracomment>
        <translation>VexScript Help</translation>
    </message>
    <message id="5132">
        <source>&amp;Search</source>
        <extracomment>Help window</extracomment>
        <translation>&amp;Search</translation>
    </message>
    <message id="5134">
        <source>The help pages were not found. Looked in: %1</source>
        <extracomment>Help window</extracomment>
        <translation>The help pages were not found. Looked in: %1</translation>
    </message>
    <message id="5402">
        <source>Tracer</source>
        <extracomment>Trace window</extracomment>
        <translation>Tracer</translation>
    </message>
    <message id="5404">
        <source>Last Error:</source>
        <extracomment>Trace window</extracomment>
        <translation>Last Error:</translation>
    </message>
    <message id="5406">
        <source>Error messages</source>
        <extracomment>Trace window</extracomment>
        <translation>Error messages</translation>
    </message>
    <message id="5407">
        <source>Text files (*.txt);;All files (*)</source>
        <extracomment>Trace window</extracomment>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message id="5420">
        <source> [... %1 more characters: Save Messages writes the whole message]</source>
        <extracomment>Trace window</extracomment>
        <translation> [... %1 more characters: Save Messages writes the whole message]</translation>
    </message>
    <message id="5421">
        <source>The messages could not be saved to %1: %2</source>
        <extracomment>Trace window</extracomment>
        <translation>The messages could not be saved to %1: %2</translation>
    </message>
    <message id="5422">
        <source> [%1 times]</source>
        <extracomment>Trace window</extracomment>
        <translation> [%1 times]</translation>
    </message>
    <message id="5408">
        <source>Clear &amp;Messages</source>
        <extracomment>Trace window</extracomment>
        <translation>Clear &amp;Messages</translation>
    </message>
    <message id="5409">
        <source>Removes every message from this window</source>
        <extracomment>Trace window</extracomment>
        <translation>Removes every message from this window</translation>
    </message>
    <message id="5410">
        <source>&amp;Save Messages</source>
        <extracomment>Trace window</extracomment>
        <translation>&amp;Save Messages</translation>
    </message>
    <message id="5411">
        <source>Saves the messages to a text file</source>
        <extracomment>Trace window</extracomment>
        <translation>Saves the messages to a text file</translation>
    </message>
    <message id="5412">
        <source>&amp;Copy</source>
        <extracomment>Trace window</extracomment>
        <translation>&amp;Copy</translation>
    </message>
    <message id="5413">
        <source>Copies the selected text</source>
        <extracomment>Trace window</extracomment>
        <translation>Copies the selected text</translation>
    </message>
    <message id="5414">
        <source>Select &amp;All</source>
        <extracomment>Trace window</extracomment>
        <translation>Select &amp;All</translation>
    </message>
    <message id="5415">
        <source>Selects all messages</source>
        <extracomment>Trace window</extracomment>
        <translation>Selects all messages</translation>
    </message>
    <message id="9002">
        <source>Debugger</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger</translation>
    </message>
    <message id="9004">
        <source>Debugmode</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugmode</translation>
    </message>
    <message id="9006">
        <source>Run</source>
        <extracomment>Debugger</extracomment>
        <translation>Run</translation>
    </message>
    <message id="9008">
        <source>Stop</source>
        <extracomment>Debugger</extracomment>
        <translation>Stop</translation>
    </message>
    <message id="9010">
        <source>Cancel</source>
        <extracomment>Debugger</extracomment>
        <translation>Cancel</translation>
    </message>
    <message id="9012">
        <source>Step In</source>
        <extracomment>Debugger</extracomment>
        <translation>Step In</translation>
    </message>
    <message id="9014">
        <source>Step Over</source>
        <extracomment>Debugger</extracomment>
        <translation>Step Over</translation>
    </message>
    <message id="9016">
        <source>Update</source>
        <extracomment>Debugger</extracomment>
        <translation>Update</translation>
    </message>
    <message id="9020">
        <source>&amp;Options</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Options</translation>
    </message>
    <message id="9022">
        <source> &amp;Debug </source>
        <extracomment>Debugger</extracomment>
        <translation> &amp;Debug </translation>
    </message>
    <message id="9024">
        <source>&amp;Simulation</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Simulation</translation>
    </message>
    <message id="9026">
        <source>&amp;Animation</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Animation</translation>
    </message>
    <message id="9028">
        <source>&amp;User events</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;User events</translation>
    </message>
    <message id="9030">
        <source> &amp;View </source>
        <extracomment>Debugger</extracomment>
        <translation> &amp;View </translation>
    </message>
    <message id="9032">
        <source>Resu&amp;lt</source>
        <extracomment>Debugger</extracomment>
        <translation>Resu&amp;lt</translation>
    </message>
    <message id="9034">
        <source>Enviro&amp;nment</source>
        <extracomment>Debugger</extracomment>
        <translation>Enviro&amp;nment</translation>
    </message>
    <message id="9036">
        <source>I&amp;mmediate</source>
        <extracomment>Debugger</extracomment>
        <translation>I&amp;mmediate</translation>
    </message>
    <message id="9038">
        <source>Events (&amp;z)</source>
        <extracomment>Debugger</extracomment>
        <translation>Events (&amp;z)</translation>
    </message>
    <message id="9040">
        <source>Per&amp;formance</source>
        <extracomment>Debugger</extracomment>
        <translation>Per&amp;formance</translation>
    </message>
    <message id="9042">
        <source>&amp;Result</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Result</translation>
    </message>
    <message id="9044">
        <source>Value:</source>
        <extracomment>Debugger</extracomment>
        <translation>Value:</translation>
    </message>
    <message id="9045">
        <source>Text:</source>
        <extracomment>Debugger</extracomment>
        <translation>Text:</translation>
    </message>
    <message id="9046">
        <source>&amp;Environment</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Environment</translation>
    </message>
    <message id="9048">
        <source>&amp;Immediate</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Immediate</translation>
    </message>
    <message id="9050">
        <source>E&amp;xecute</source>
        <extracomment>Debugger</extracomment>
        <translation>E&amp;xecute</translation>
    </message>
    <message id="9052">
        <source>E&amp;vents</source>
        <extracomment>Debugger</extracomment>
        <translation>E&amp;vents</translation>
    </message>
    <message id="9054">
        <source>&amp;Performance</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Performance</translation>
    </message>
    <message id="9056">
        <source>Processor&amp;time:</source>
        <extracomment>Debugger</extracomment>
        <translation>Processor&amp;time:</translation>
    </message>
    <message id="9058">
        <source>&amp;Count commands:</source>
        <extracomment>Debugger</extracomment>
        <translation>&amp;Count commands:</translation>
    </message>
    <message id="9060">
        <source>Update &amp;frequency:</source>
        <extracomment>Debugger</extracomment>
        <translation>Update &amp;frequency:</translation>
    </message>
    <message id="9061">
        <source>Simulation</source>
        <extracomment>Debugger</extracomment>
        <translation>Simulation</translation>
    </message>
    <message id="9062">
        <source>Animation</source>
        <extracomment>Debugger</extracomment>
        <translation>Animation</translation>
    </message>
    <message id="9064">
        <source>Re&amp;set</source>
        <extracomment>Debugger</extracomment>
        <translation>Re&amp;set</translation>
    </message>
    <message id="9066">
        <source>Description</source>
        <extracomment>Debugger</extracomment>
        <translation>Description</translation>
    </message>
    <message id="9067">
        <source>Reference</source>
        <extracomment>Debugger</extracomment>
        <translation>Reference</translation>
    </message>
    <message id="9068">
        <source>Name</source>
        <extracomment>Debugger</extracomment>
        <translation>Name</translation>
    </message>
    <message id="9069">
        <source>ID</source>
        <extracomment>Debugger</extracomment>
        <translation>ID</translation>
    </message>
    <message id="9070">
        <source>Mother</source>
        <extracomment>Debugger</extracomment>
        <translation>Mother</translation>
    </message>
    <message id="9071">
        <source>Time</source>
        <extracomment>Debugger</extracomment>
        <translation>Time</translation>
    </message>
    <message id="9072">
        <source>Code</source>
        <extracomment>Debugger</extracomment>
        <translation>Code</translation>
    </message>
    <message id="9073">
        <source>Priority</source>
        <extracomment>Debugger</extracomment>
        <translation>Priority</translation>
    </message>
    <message id="9074">
        <source>Atom ID</source>
        <extracomment>Debugger</extracomment>
        <translation>Atom ID</translation>
    </message>
    <message id="9075">
        <source>Name</source>
        <extracomment>Debugger</extracomment>
        <translation>Name</translation>
    </message>
    <message id="9076">
        <source>Involved</source>
        <extracomment>Debugger</extracomment>
        <translation>Involved</translation>
    </message>
    <message id="9077">
        <source>Command</source>
        <extracomment>Debugger</extracomment>
        <translation>Command</translation>
    </message>
    <message id="9078">
        <source>Used</source>
        <extracomment>Debugger</extracomment>
        <translation>Used</translation>
    </message>
    <message id="9079">
        <source>(cannot be read)</source>
        <extracomment>Debugger</extracomment>
        <translation>(cannot be read)</translation>
    </message>
    <message id="9080">
        <source>Script</source>
        <extracomment>Debugger</extracomment>
        <translation>Script</translation>
    </message>
    <message id="9081">
        <source>Simulation</source>
        <extracomment>Debugger</extracomment>
        <translation>Simulation</translation>
    </message>
    <message id="9082">
        <source>Animation</source>
        <extracomment>Debugger</extracomment>
        <translation>Animation</translation>
    </message>
    <message id="9083">
        <source>(user-defined word without a name)</source>
        <extracomment>Debugger</extracomment>
        <translation>(user-defined word without a name)</translation>
    </message>
    <message id="9084">
        <source>Active atom (a)</source>
        <extracomment>Debugger</extracomment>
        <translation>Active atom (a)</translation>
    </message>
    <message id="9085">
        <source>Current atom (c)</source>
        <extracomment>Debugger</extracomment>
        <translation>Current atom (c)</translation>
    </message>
    <message id="9086">
        <source>Involved atom (i)</source>
        <extracomment>Debugger</extracomment>
        <translation>Involved atom (i)</translation>
    </message>
    <message id="9087">
        <source>Cancel the running script?</source>
        <extracomment>Debugger</extracomment>
        <translation>Cancel the running script?</translation>
    </message>
    <message id="9088">
        <source>Debugger - debug mode on</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger - debug mode on</translation>
    </message>
    <message id="9089">
        <source>Debugger - debug mode off</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger - debug mode off</translation>
    </message>
    <message id="9090">
        <source>&amp;Debug</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Debug</translation>
    </message>
    <message id="9091">
        <source>Runs the script in the debugger, pausing at its first node</source>
        <extracomment>Main window</extracomment>
        <translation>Runs the script in the debugger, pausing at its first node</translation>
    </message>
    <message id="9092">
        <source>&amp;Debugger</source>
        <extracomment>Main window</extracomment>
        <translation>&amp;Debugger</translation>
    </message>
    <message id="9093">
        <source>Shows the debugger window</source>
        <extracomment>Main window</extracomment>
        <translation>Shows the debugger window</translation>
    </message>
    <message id="9094">
        <source>Nothing is paused: an expression runs only while a script waits in the debugger.</source>
        <extracomment>Debugger</extracomment>
        <translation>Nothing is paused: an expression runs only while a script waits in the debugger.</translation>
    </message>
    <message id="9095">
        <source>A script waits in the debugger; continue or cancel it there first.</source>
        <extracomment>Debugger</extracomment>
        <translation>A script waits in the debugger; continue or cancel it there first.</translation>
    </message>
    <message id="9096">
        <source>... %1 more events, not shown</source>
        <extracomment>Debugger</extracomment>
        <translation>... %1 more events, not shown</translation>
    </message>
    <message id="9097">
        <source>Debugger</source>
        <extracomment>Debugger</extracomment>
        <translation>Debugger</translation>
    </message>
    <message id="9098">
        <source>Ctrl+Break is not available system-wide here; it still breaks a script while one of Zentaro&apos;s windows has the focus.</source>
        <extracomment>Debugger</extracomment>
        <translation>Ctrl+Break is not available system-wide here; it still breaks a script while one of Zentaro&apos;s windows has the focus.</translation>
    </message>
    <message id="9710">
        <source>Line</source>
        <extracomment>Script editor</extracomment>
        <translation>Line</translation>
    </message>
    <message id="9711">
        <source>Column</source>
        <extracomment>Script editor</extracomment>
        <translation>Column</translation>
    </message>
    <message id="9713">
        <source>The search text was not found.</source>
        <extracomment>Script editor</extracomment>
        <translation>The search text was not found.</translation>
    </message>
    <message id="9833">
        <source>INS</source>
        <extracomment>Script editor</extracomment>
        <translation>INS</translation>
    </message>
    <message id="9835">
        <source>OVR</source>
        <extracomment>Script editor</extracomment>
        <translation>OVR</translation>
    </message>
    <message id="9836">
        <source>it holds NUL bytes (line %1), so it is no script</source>
        <extracomment>Script editor</extracomment>
        <translation>it holds NUL bytes (line %1), so it is no script</translation>
    </message>
    <message id="9837">
        <source>it has more characters than the editor holds (%1 at most)</source>
        <extracomment>Script editor</extracomment>
        <translation>it has more characters than the editor holds (%1 at most)</translation>
    </message>
    <message id="9838">
        <source>the file is read-only</source>
        <extracomment>Script editor</extracomment>
        <translation>the file is read-only</translation>
    </message>
    <message id="9839">
        <source>line %1 holds the character %2, which a script file cannot hold</source>
        <extracomment>Script editor</extracomment>
        <translation>line %1 holds the character %2, which a script file cannot hold</translation>
    </message>
</context>
</TS>
